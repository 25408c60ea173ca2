// A big embedded file through the real program under Wine: Plenvik.exe of this build saves a desktop
// holding one file of the given size (test shell's desktop), the file is deleted, and RESTORE brings it
// back. Checks the bytes and prints "<MB/s of the restore run> <peak working set of Plenvik.exe in MB>
// <MB restored>"; the restored file stays for bench/restore32.sh's reference read, which removes it.
//   restorebig_win MEGABYTES
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shlobj.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/win32/MainWindowIds.h"
#include "driver/TestShell.h"
#include "driver/WineDriver.h"
#include "platform/win32/Wide.h"

namespace {

using namespace plenvik::test;
constexpr std::size_t kBlock = 1000000;  // megabytes as the figures count them
constexpr long kLimitKib = 1000000;  // the largest limit the settings allow
const wchar_t* const kName = L"Gro\u00DFe Datei.bin";

std::vector<char> block(long index) {
    std::vector<char> bytes(kBlock);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 131 + i / 7 + static_cast<std::size_t>(index) * 17) & 0xFF);
    return bytes;
}

bool writeContent(const std::wstring& path, long megabytes) {
    std::ofstream out(path.c_str(), std::ios::binary);
    for (long m = 0; m < megabytes && out; ++m) out.write(block(m).data(), static_cast<std::streamsize>(kBlock));
    return static_cast<bool>(out);
}

bool contentIsBack(const std::wstring& path, long megabytes) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::vector<char> read(kBlock);
    for (long m = 0; m < megabytes; ++m)
        if (!in.read(read.data(), static_cast<std::streamsize>(kBlock)) || read != block(m)) return false;
    return in.peek() == std::char_traits<char>::eof();
}

int fail(const char* what) {
    std::fprintf(stderr, "restorebig_win: %s\n", what);
    return 1;
}

int indexOf(TestShell& shell, const std::string& label) {
    const auto items = shell.dump().items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].label == label) return static_cast<int>(i);
    return -1;
}

int run(long megabytes) {
    const std::wstring settingsPath = buildFolder() + L"\\Settings.xml";
    if (!writeUtf8File(settingsPath, "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<SETTINGS>\r\n"
                                     "    <GENERAL_FILESIZE_MAX>" +
                                         std::to_string(kLimitKib) +
                                         "</GENERAL_FILESIZE_MAX>\r\n    <GENERAL_FILE_SAVE>1</GENERAL_FILE_SAVE>\r\n"
                                         "    <GENERAL_FILENAME_AUTO>1</GENERAL_FILENAME_AUTO>\r\n</SETTINGS>\r\n"))
        return fail("cannot write Settings.xml");
    removeProjectFiles();
    const std::wstring path = desktopFolder(CSIDL_DESKTOPDIRECTORY) + L"\\" + kName;
    if (!writeContent(path, megabytes)) return fail("cannot write the desktop file");
    const std::string label = plenvik::win32::narrow(kName);

    TestShell shell(L"--no-snap --keep-outside-moves");
    if (!shell.ready()) return fail("the test shell did not start");
    {
        ChildProcess save(buildFolder() + L"\\Plenvik.exe", L"SAVE");
        DWORD code = 1;
        if (!save.waitForExit(1200000, &code) || code != 0) return fail("SAVE did not end well");
    }
    const auto projects = projectFiles();
    if (projects.size() != 1) return fail("SAVE wrote no project file");

    DeleteFileW(path.c_str());
    PostMessageW(shell.listView, WM_KEYDOWN, VK_F5, 0);
    // The label may hide the extension, as on a stock desktop.
    if (!pollUntil([&] { return indexOf(shell, label) < 0 && indexOf(shell, label.substr(0, label.size() - 4)) < 0; }))
        return fail("the shell still shows the deleted file");

    const auto start = std::chrono::steady_clock::now();
    ChildProcess restore(buildFolder() + L"\\Plenvik.exe", L"RESTORE \"" + projects[0] + L"\"");
    if (!answer(restore, L"Desktop wieder herstellen...", IDYES, 1200000)) return fail("the restore did not ask");
    HWND main = nullptr;
    const bool ended = pollUntil(
        [&] {
            main = findTopWindow(restore.id(), plenvik::win32::kMainWindowClass);
            return main && windowText(GetDlgItem(main, plenvik::win32::kIdLblInfo)).find(L"neu auf Desktop") != std::wstring::npos;
        },
        1200000);
    const bool created = ended && windowText(GetDlgItem(main, plenvik::win32::kIdLblInfo)).find(L"(0001) erstellt") != std::wstring::npos;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool measured = GetProcessMemoryInfo(restore.handle(), &memory, sizeof memory);
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    restore.waitForExit(30000);
    removeProjectFiles();
    DeleteFileW(settingsPath.c_str());
    DeleteFileW((buildFolder() + L"\\Desktop.jpg").c_str());
    if (!created)
        return fail(("the restore did not report the file as created: " + (main ? plenvik::win32::narrow(windowText(GetDlgItem(main, plenvik::win32::kIdLblInfo))) : visibleDialogs(restore.id())))
                        .c_str());
    if (!measured || memory.PeakWorkingSetSize == 0) return fail("no memory figures for Plenvik.exe");
    if (!contentIsBack(path, megabytes)) return fail("the restored file differs from the saved one");
    const double restoredMb = static_cast<double>(megabytes);
    std::printf("%.1f %.1f %.1f\n", restoredMb / seconds, static_cast<double>(memory.PeakWorkingSetSize) / 1e6, restoredMb);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const long megabytes = argc > 1 ? std::atol(argv[1]) : 0;
    if (megabytes <= 0 || megabytes * 1000000LL > kLimitKib * 1024LL) {
        std::fprintf(stderr, "usage: restorebig_win MEGABYTES\n");
        return 2;
    }
    return run(megabytes);
}
