// A child control's messages routed through its owner's handler before the control's own procedure
// (comctl32's SetWindowSubclass). The handler passes on what it does not take with passToControl; the
// routing ends when the control goes (WM_NCDESTROY).
//
//   subclassControl(edit, [this](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
//       if (m == WM_CHAR && wp == L'\r') return 0;  // no beep
//       return passToControl(w, m, wp, lp);
//   });
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

namespace plenvik::win32 {

using ControlHandler = std::function<LRESULT(HWND control, UINT message, WPARAM wParam, LPARAM lParam)>;

// False when the control is null or cannot be subclassed; the handler is then dropped.
bool subclassControl(HWND control, ControlHandler handler);

// The control's own handling of a message (and that of handlers routed in before this one).
inline LRESULT passToControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace plenvik::win32
