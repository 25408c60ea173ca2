// demodriver.exe: presses the save command of a running Plenvik and waits until the save has ended,
// so that scripts/demo can show the main window after a real save. Exit code 0 when the save reported
// success within two minutes.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/win32/MainWindowIds.h"
#include "platform/win32/InputBox.h"
#include "ui/win32/LabelButton.h"

namespace {

using namespace plenvik::win32;

std::wstring textOf(HWND window) {
    wchar_t buffer[512] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, &result);
    return buffer;
}

template <class Condition>
bool waitFor(Condition condition, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() > end) return false;
        Sleep(100);
    }
    return true;
}

}  // namespace

int main() {
    HWND main = nullptr;
    if (!waitFor([&] { return (main = FindWindowW(kMainWindowClass, nullptr)) != nullptr && GetPropW(main, kCommandDoneProperty); },
                 30000)) {
        std::fprintf(stderr, "demodriver: Plenvik's main window did not appear\n");
        return 2;
    }
    HWND save = GetDlgItem(main, kIdLblCmdProjectSave);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(kIdLblCmdProjectSave, kLabelButtonDown), reinterpret_cast<LPARAM>(save));
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(kIdLblCmdProjectSave, kLabelButtonUp), reinterpret_cast<LPARAM>(save));
    // The file-name prompt is answered with the name Plenvik offers.
    const bool saved = waitFor(
        [&] {
            if (HWND prompt = FindWindowW(kInputBoxClass, nullptr); prompt && IsWindowVisible(prompt))
                PostMessageW(prompt, WM_COMMAND, IDOK, 0);
            return textOf(GetDlgItem(main, kIdLblInfo)) == L"Desktop Sicherung erfolgreich erstellt!";
        },
        120000);
    std::printf("demodriver: %s\n", saved ? "save finished" : "the save did not report success");
    return saved ? 0 : 1;
}
