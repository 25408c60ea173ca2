// The window class of a form: dialog-grey background, arrow cursor, its own window procedure.
#pragma once

#include <windows.h>

namespace plenvik::win32 {

// Registers the class once per name; later calls with the same name do nothing.
inline void registerFormClass(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSW existing{};
    if (GetClassInfoW(GetModuleHandleW(nullptr), className, &existing)) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
}

}  // namespace plenvik::win32
