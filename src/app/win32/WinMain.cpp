// Plenvik.exe: the main window with the real platform behind it.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "app/win32/MainWindow.h"
#include "errors/ErrorWindow.h"
#include "errors/win32/DebugStop.h"
#include "errors/win32/Win32ProtocolPrinter.h"
#include "errors/win32/Win32ErrorWindow.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Wide.h"
#include "settings/win32/DesktopSettingsWindow.h"
#include "settings/win32/SettingsWindow.h"

namespace {

using namespace plenvik;

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
    Platform& p = platform.platform();
    win32::ErrorWindowView32 errorWindow;
    win32::Win32ProtocolPrinter printer;
    ErrorWindow errors(ErrorReportServices{p.system, p.clock, p.dialogs, p.processes, p.files}, errorWindow, printer);
    errors.setDebugStop(win32::stopInDebugger);
    errors.SetProgInfo(kAppTitle);

    HWND mainWindow = nullptr;
    ProgramActions actions([&](const Settings& current) { return win32::showSettingsDialog(mainWindow, p.locale, current); },
                           [&](DesktopSettingsDialog& dialog) { win32::showDesktopSettingsDialog(mainWindow, dialog); });
    MainController form(p, errors, actions);
    win32::MainWindow window(form);
    if (!window.create(argumentsOf(GetCommandLineW()), showCommand)) return 1;
    mainWindow = window.handle();
    platform.dialogs().setOwner(mainWindow);
    errors.setDiagnosticFlags(form.program().diagnosticFlags);

    MSG msg;
    int exitCode = 0;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (msg.message == WM_QUIT) exitCode = static_cast<int>(msg.wParam);
    return exitCode;
}
