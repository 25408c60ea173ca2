#include "platform/win32/DesktopMessages.h"

#include "errors/RuntimeError.h"
#include "platform/win32/BoundedCalls.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {

void throwDesktopNoAnswer(const char* operation, DWORD code) {
    // A send aborted because the window's thread counts as hung may leave no code of its own.
    if (code == ERROR_SUCCESS) code = ERROR_TIMEOUT;
    throw RuntimeError(static_cast<long>(code), kAppTitle, win32FailureText(operation, code));
}

namespace {

LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs, RemoteMemory* referred) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result)) return static_cast<LRESULT>(result);
    const DWORD code = GetLastError();
    if (!IsWindow(window)) return 0;  // gone, and the messages sent to it with it
    if (referred) referred->abandon();
    throwDesktopNoAnswer("SendMessageTimeout", code);
}

}  // namespace

LRESULT sendToDesktop(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) {
    return send(window, message, wParam, lParam, timeoutMs, nullptr);
}

LRESULT sendToDesktop(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs, RemoteMemory& referred) {
    return send(window, message, wParam, lParam, timeoutMs, &referred);
}

void setDesktopWindowStyle(HWND window, LONG style, UINT timeoutMs) {
    BoundedCalls(timeoutMs).run<void>("SetWindowLong", [window, style] { SetWindowLongW(window, GWL_STYLE, style); });
}

}  // namespace plenvik::win32
