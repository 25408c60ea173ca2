// testshell: a stand-in for Explorer's desktop window under Wine. It builds the window chain
// Progman "Program Manager" > SHELLDLL_DefView > SysListView32 (or, with --workerw, the chain below a
// WorkerW window as on current Windows), fills the list view from the desktop model, behaves like
// Explorer's desktop where Wine's list view does not, and serves its folder view to other processes
// through shell windows of its own class. Options: see ShellOptions.h.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ShellListView.h"
#include "ShellOptions.h"
#include "ShellSource.h"
#include "ShellWindowsServer.h"
#include "platform/win32/Scoped.h"

namespace {

using namespace plenvik::testshell;

struct Shell {
    ShellListView* listView = nullptr;
    std::wstring dumpFile;
} g_shell;

LRESULT CALLBACK progmanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kDumpMessage:
        return g_shell.listView && !g_shell.dumpFile.empty() && g_shell.listView->writeDump(g_shell.dumpFile) ? kDumpWritten : 0;
    case kHangMessage: return g_shell.listView && g_shell.listView->hangAt(static_cast<UINT>(wParam));
    case kMoveAsUserMessage:
        return g_shell.listView &&
               g_shell.listView->moveThroughFolderView(static_cast<int>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The desktop view and the WorkerW window keep their only child as large as themselves.
LRESULT CALLBACK fillingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        if (HWND child = GetWindow(window, GW_CHILD)) MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
    return RegisterClassW(&wc) != 0;
}

bool writeReady(const std::wstring& path, HWND progman, HWND defView, HWND listView) {
    char line[128];
    std::snprintf(line, sizeof line, "%lu %llx %llx %llx\n", GetCurrentProcessId(),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(progman)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(defView)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(listView)));
    const std::wstring temporary = path + L".tmp";
    FILE* f = _wfopen(temporary.c_str(), L"wb");
    if (!f) return false;
    std::fputs(line, f);
    if (std::fclose(f) != 0) return false;
    return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    LocalFree(argv);
    std::string error;
    const auto options = parseShellOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "testshell: %s\n", error.c_str());
        return 2;
    }

    plenvik::win32::ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerClass(instance, L"Progman", progmanProc) || !registerClass(instance, L"SHELLDLL_DefView", fillingProc) ||
        (options->workerW && !registerClass(instance, L"WorkerW", fillingProc))) {
        std::fprintf(stderr, "testshell: RegisterClass failed (%lu)\n", GetLastError());
        return 3;
    }

    const int w = options->width, h = options->height;
    HWND progman = CreateWindowExW(0, L"Progman", L"Program Manager", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, w, h, nullptr, nullptr,
                                   instance, nullptr);
    HWND host = options->workerW ? CreateWindowExW(0, L"WorkerW", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, w, h, nullptr,
                                                   nullptr, instance, nullptr)
                                 : progman;
    HWND defView = host ? CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, w, h, host, nullptr,
                                          instance, nullptr)
                        : nullptr;
    ShellSource source(options->iconsFile, options->systemIcons, options->hideExtensions);
    ShellListView listView(*options, source);
    HWND lv = defView ? listView.create(defView, instance, w, h) : nullptr;
    if (!progman || !lv) {
        std::fprintf(stderr, "testshell: CreateWindow failed (%lu)\n", GetLastError());
        return 3;
    }
    g_shell = {&listView, options->dumpFile};

    // Wine's list view arranges every icon on its first paint: paint first, then place them.
    UpdateWindow(progman);
    UpdateWindow(host);
    listView.placeStartPositions(options->positionsFile);
    UpdateWindow(host);
    const ShellWindowsRegistration served(options->shellWindowsClass, listView, progman);
    if (FAILED(served.result())) {
        std::fprintf(stderr, "testshell: CoRegisterClassObject failed (0x%08lx)\n", static_cast<unsigned long>(served.result()));
        return 5;
    }
    if (!options->readyFile.empty() && !writeReady(options->readyFile, progman, defView, lv)) {
        std::fprintf(stderr, "testshell: cannot write %ls\n", options->readyFile.c_str());
        return 4;
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
