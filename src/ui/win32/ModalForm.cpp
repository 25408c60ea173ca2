#include "ui/win32/ModalForm.h"

namespace plenvik::win32 {

void runModalForm(HWND window, HWND owner, const ModalFormCalls& calls) {
    MSG msg;
    while (calls.visible()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // the program ends: pass it on
            calls.closeNow();
            break;
        }
        const bool ours = msg.hwnd == window || IsChild(window, msg.hwnd);
        if (ours && msg.message == WM_SYSCHAR && (msg.wParam == L's' || msg.wParam == L'S')) {
            calls.pressClose();
            continue;
        }
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // Give the owner back its input before this window goes, so that activation returns to it.
    if (owner) EnableWindow(owner, TRUE);
    ShowWindow(window, SW_HIDE);
}

}  // namespace plenvik::win32
