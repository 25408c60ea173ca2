// Messages to the windows of Explorer's desktop. They belong to Explorer's process, which may hang, so
// nothing sent to them is waited for without end: every message goes with SMTO_ABORTIFHUNG and a
// time-out, and a window that does not answer in time is a failure the caller sees. A message that timed
// out may still be handled when Explorer wakes, so memory it refers to in Explorer's process is left
// there (RemoteMemory::abandon), never freed under it: a small leak in Explorer instead of a write into
// freed memory.
#pragma once

#include <windows.h>

#include "platform/win32/Scoped.h"

namespace plenvik::win32 {

// How long Plenvik waits for the desktop to answer one message.
inline constexpr UINT kDesktopTimeoutMs = 10000;

// Throws RuntimeError (ERROR_TIMEOUT, or code where it names another failure) for a desktop that did not
// answer operation.
[[noreturn]] void throwDesktopNoAnswer(const char* operation, DWORD code);

// The window's answer; 0 when the window is gone. Throws RuntimeError (ERROR_TIMEOUT) when it did not
// answer in time.
LRESULT sendToDesktop(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs);
// The same for a message that refers to a block in the window's process (lParam points into it, or
// messages queued before this one do): unless the window is gone, a failure abandons the block first.
LRESULT sendToDesktop(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs, RemoteMemory& referred);

// SetWindowLong(GWL_STYLE) sends WM_STYLECHANGING and WM_STYLECHANGED to the window and waits for them
// without a time-out, so it runs on a thread of its own. Throws RuntimeError (ERROR_TIMEOUT) when the
// window has not taken the style in time; that thread then ends when the window answers, and the style
// may still change then.
void setDesktopWindowStyle(HWND window, LONG style, UINT timeoutMs);

}  // namespace plenvik::win32
