// iconread_win N: reads N desktop icons from a test shell in another process, the way the program once
// did (per label its own process opening and two blocks in the shell's process) and the way it does
// now on the list-view route (one opening, one block for the whole inventory); then through the folder
// view of the same shell built in this process (Wine hands no item ID lists to another process, so the
// folder-view route can only be timed in-process). Prints the best of several runs of each.
// Started by bench/iconread.sh under Wine.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ShellFolderView.h"
#include "ShellListView.h"
#include "ShellOptions.h"
#include "ShellSource.h"
#include "desktop/ListViewItemLayout.h"
#include "platform/win32/DesktopFolderView.h"
#include "platform/win32/DesktopListView.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace {

using namespace plenvik;
using namespace plenvik::win32;

constexpr DWORD kAccess = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;

// One label as the program first read it: open the process and allocate a block for the item and one
// for a 120-unit text buffer, write both, send LVM_GETITEMW, read the text back, free both, close.
std::string labelPerAllocation(HWND listView, DWORD processId, bool target64, int index) {
    UniqueHandle itemProcess(OpenProcess(kAccess, FALSE, processId));
    const ListViewItemLayout layout = listViewItemLayout(target64);
    RemoteMemory item(itemProcess.get(), layout.size);
    UniqueHandle textProcess(OpenProcess(kAccess, FALSE, processId));
    RemoteMemory text(textProcess.get(), 240);
    const std::vector<std::uint8_t> request = listViewTextRequest(layout, index, text.addressAt(0), 120);
    wchar_t buffer[121] = {};
    item.write(0, request.data(), request.size());
    text.write(0, buffer, 240);
    SendMessageW(listView, LVM_GETITEMW, 0, item.lparamAt(0));
    text.read(0, buffer, 240);
    return narrow(buffer);
}

std::vector<IconItem> readPerLabel(HWND listView) {
    DWORD processId = 0;
    GetWindowThreadProcessId(listView, &processId);
    const bool target64 = DesktopListView(listView).target64();
    const int count = static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
    UniqueHandle process(OpenProcess(kAccess, FALSE, processId));
    RemoteMemory point(process.get(), sizeof(POINT));
    std::vector<IconItem> items;
    for (int i = 0; i < count; ++i) {
        POINT p{};
        SendMessageW(listView, LVM_GETITEMPOSITION, i, point.lparamAt(0));
        point.read(0, &p, sizeof p);
        items.push_back({labelPerAllocation(listView, processId, target64, i), {static_cast<int>(p.x), static_cast<int>(p.y)}});
    }
    return items;
}

template <class Read>
double bestMilliseconds(Read&& read, int runs, std::vector<IconItem>& result) {
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        result = read();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        if (ms < best) best = ms;
    }
    return best;
}

std::wstring folderOfProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L"\\/"));
}

// The folder-view route against the test shell's desktop (the same icons, the same stock options) built
// in this process: Plenvik's FolderViewIcons over the shell's own IFolderView2.
std::vector<IconItem> readThroughInProcessFolderView(const std::wstring& icons, int runs, double& bestMs) {
    using namespace plenvik::testshell;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"PlenvikBenchDesktop";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1024, 768, nullptr, nullptr, instance, nullptr);
    std::string error;
    const auto options = parseShellOptions({}, error);
    std::vector<IconItem> items;
    if (!parent || !options) return items;
    ShellSource source(icons, false, options->hideExtensions);
    ShellListView listView(*options, source);
    if (listView.create(parent, instance, 1024, 768)) {
        listView.placeStartPositions(L"");
        auto* view = new plenvik::testshell::ShellFolderView(listView);
        bestMs = bestMilliseconds([&] { return FolderViewIcons(*view).readAll(); }, runs, items);
        view->Release();
    }
    DestroyWindow(parent);
    return items;
}

// The same icons: labels and positions (the list-view route has no parsing names).
bool sameIcons(const std::vector<IconItem>& a, const std::vector<IconItem>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].label != b[i].label || !(a[i].position == b[i].position)) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"plenvik-iconread-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring icons = base + L"-icons.txt", ready = base + L"-ready.txt";
    {
        std::string text;
        for (int i = 0; i < count; ++i) text += "Symbol " + std::to_string(i) + " \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC\n";
        FILE* f = _wfopen(icons.c_str(), L"wb");
        if (!f) return 2;
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    std::wstring command = L"\"" + folderOfProgram() + L"\\testshell.exe\" --icons \"" + icons + L"\" --ready \"" + ready + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "iconread: testshell.exe did not start (%lu)\n", GetLastError());
        return 3;
    }
    UniqueHandle shell(pi.hProcess);
    CloseHandle(pi.hThread);
    for (int waited = 0; GetFileAttributesW(ready.c_str()) == INVALID_FILE_ATTRIBUTES; waited += 50) {
        if (waited > 60000 || WaitForSingleObject(shell.get(), 50) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "iconread: the test shell did not get ready\n");
            TerminateProcess(shell.get(), 1);
            return 4;
        }
    }
    HWND progman = FindWindowW(L"Progman", nullptr);
    HWND defView = FindWindowExW(progman, nullptr, L"SHELLDLL_DefView", nullptr);
    HWND listView = FindWindowExW(defView, nullptr, L"SysListView32", nullptr);

    std::vector<IconItem> perLabel, ours;
    int blocks = 0;
    const double perLabelMs = bestMilliseconds([&] { return readPerLabel(listView); }, runs, perLabel);
    const double oursMs = bestMilliseconds(
        [&] {
            DesktopListView view(listView);
            auto items = view.readAll();
            blocks = view.blocksAllocated();
            return items;
        },
        runs, ours);
    TerminateProcess(shell.get(), 0);
    WaitForSingleObject(shell.get(), 5000);
    ComApartment com;
    double folderViewMs = 0;
    const std::vector<IconItem> byFolderView = readThroughInProcessFolderView(icons, runs, folderViewMs);
    DeleteFileW(icons.c_str());
    DeleteFileW(ready.c_str());

    if (static_cast<int>(ours.size()) != count || ours != perLabel) {
        std::fprintf(stderr, "iconread: the two ways read different icons (%zu and %zu)\n", ours.size(), perLabel.size());
        return 5;
    }
    if (!sameIcons(byFolderView, ours)) {
        std::fprintf(stderr, "iconread: the folder view read other icons (%zu) than the list view (%zu)\n", byFolderView.size(),
                     ours.size());
        return 6;
    }
    const double scale = 1000.0 / count;
    std::printf("icons read: %d, the same by both ways; remote blocks per inventory: ours %d, per-label way %d\n", count, blocks,
                2 * count + 1);
    std::printf("per-label allocation: %.0f ms/1000 icons\n", perLabelMs * scale);
    std::printf("list-view route (test shell in another process): %.0f ms/1000 icons\n", oursMs * scale);
    std::printf("folder-view route (the test shell's folder view in this process): %.0f ms/1000 icons\n", folderViewMs * scale);
    std::printf(
        "iconread: %.0f ms/1000 icons (%.2fx per-label allocation), %.0f ms/1000 icons by folder view in process (%.3fx per-label "
        "allocation)\n",
        oursMs * scale, oursMs / perLabelMs, folderViewMs * scale, folderViewMs / perLabelMs);
    return 0;
}
