// Plenvik.exe: the main window with the real platform behind it.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/MainActions.h"
#include "app/frmMain.h"
#include "app/win32/MainWindow.h"
#include "errors/ErrorHandler.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Wide.h"

namespace {

using namespace plenvik;

// Until the error window is in place: the failure is shown and the procedure is left.
class MessageBoxErrorHandler : public ErrorHandler {
public:
    void callStack(const std::string&) override {}
    int onError(const std::string& procedure, std::string&, const RuntimeError& error) override {
        const std::wstring text = win32::widen(procedure + ":\r\n" + std::to_string(error.number()) + " - " + error.description());
        MessageBoxW(nullptr, text.c_str(), L"Fehler...", MB_OK | MB_ICONERROR);
        return kActionLeave;
    }
};

// The command line after the program's own path.
std::string argumentsOf(const wchar_t* commandLine) {
    std::wstring s = commandLine;
    std::size_t i = 0;
    while (i < s.size() && (s[i] == L' ' || s[i] == L'\t')) ++i;
    if (i < s.size() && s[i] == L'"') {
        const auto close = s.find(L'"', i + 1);
        i = close == std::wstring::npos ? s.size() : close + 1;
    } else {
        while (i < s.size() && s[i] != L' ' && s[i] != L'\t') ++i;
    }
    return win32::narrow(s.substr(i));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    win32::ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    win32::Win32Platform platform;
    MessageBoxErrorHandler errors;
    UnavailableActions actions;
    frmMain form(platform.platform(), errors, actions);
    win32::MainWindow window(form);
    if (!window.create(argumentsOf(GetCommandLineW()), showCommand)) return 1;
    platform.dialogs().setOwner(window.handle());

    MSG msg;
    int exitCode = 0;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (msg.message == WM_QUIT) exitCode = static_cast<int>(msg.wParam);
    return exitCode;
}
