// The hostile project files whose harm depends on how Windows reads paths and registry keys (device
// names, streams, drive-relative and climbing paths, key paths in class identifiers) restored by
// Plenvik.exe under Wine: every question answered Yes except removing new icons. Nothing may appear
// outside the desktop folders, and the registry may change only under the five known system icons.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/win32/MainWindowIds.h"
#include "desktop/DesktopSystemIcons.h"
#include "driver/TestShell.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"
#include "project/ProjectFileNameCheck.h"

namespace plenvik::test {
namespace {

using win32::narrow;
using win32::widen;

// Every value below the key, as "subkey|name=type:bytes", and every subkey.
void snapshot(HKEY root, const std::wstring& path, std::set<std::wstring>& out) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return;
    win32::UniqueKey key(raw);
    out.insert(path);
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        BYTE data[4096];
        DWORD nameSize = 16384, dataSize = sizeof data, type = 0;
        if (RegEnumValueW(key.get(), i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        out.insert(path + L"|" + name + L"=" + std::to_wstring(type) + L":" + std::wstring(data, data + dataSize));
    }
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD size = 256;
        if (RegEnumKeyExW(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(name);
    }
    for (const auto& sub : subkeys) snapshot(root, path + L"\\" + sub, out);
}

std::set<std::wstring> registryThatMatters() {
    std::set<std::wstring> out;
    for (const wchar_t* path : {L"Software\\Classes\\CLSID", L"Software\\Microsoft\\Windows\\CurrentVersion\\Run"})
        snapshot(HKEY_CURRENT_USER, path, out);
    snapshot(HKEY_CURRENT_USER, widen(kSystemIconLabelKey), out);
    snapshot(HKEY_CURRENT_USER, widen(kHideDesktopIconsKey), out);
    return out;
}

// A stock Windows has the keys of the hidden flags: a restore writes into them.
bool createStockKeys() {
    for (const wchar_t* which : {L"\\ClassicStartMenu", L"\\NewStartPanel"}) {
        HKEY raw = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, (widen(kHideDesktopIconsKey) + which).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) !=
            ERROR_SUCCESS)
            return false;
        RegCloseKey(raw);
    }
    return true;
}

// A known system icon's label key and its values, and its hidden flags; nothing else.
bool ownedByARestore(const std::wstring& line) {
    const auto bar = line.find(L'|');
    const std::wstring key = line.substr(0, bar);
    const std::wstring value = bar == std::wstring::npos ? L"" : line.substr(bar + 1, line.find(L'=', bar) - bar - 1);
    for (const DesktopSystemIcon& icon : kDesktopSystemIcons) {
        if (key == widen(kSystemIconLabelKey) + L"\\" + widen(icon.clsid)) return true;
        if (key.starts_with(widen(kHideDesktopIconsKey) + L"\\") && value == widen(icon.clsid)) return true;
    }
    return key == widen(kSystemIconLabelKey);
}

// Answers every message box Yes, except the offer to remove new icons, until the run has ended; returns
// the summary.
std::wstring restoreAnsweringYes(const std::wstring& project) {
    ChildProcess restore(buildFolder() + L"\\Plenvik.exe", L"RESTORE \"" + project + L"\"");
    std::wstring summary;
    HWND main = nullptr;
    pollUntil(
        [&] {
            for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); box; box = FindWindowExW(nullptr, box, L"#32770", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(box, &owner);
                if (owner == restore.id() && IsWindowVisible(box))
                    PostMessageW(box, WM_COMMAND, windowText(box).starts_with(L"Neue") ? IDNO : IDYES, 0);
            }
            main = findTopWindow(restore.id(), win32::kMainWindowClass);
            if (!main) return false;
            summary = windowText(GetDlgItem(main, win32::kIdLblInfo));
            return summary.find(L"neu auf Desktop") != std::wstring::npos &&
                   windowText(GetDlgItem(main, win32::kIdLblCmdDesktopRestore)) == L"Desktop Symbole aus Projektdatei herstellen";
        },
        60000);
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(restore.waitForExit(10000)) << visibleDialogs(restore.id());
    return summary;
}

std::set<std::wstring> entries(const std::wstring& folder) {
    std::set<std::wstring> names;
    std::error_code error;
    for (const auto& e : std::filesystem::directory_iterator(folder, error)) names.insert(e.path().filename().wstring());
    return names;
}

struct HostileCase {
    const char* file;
    int refused;
    std::vector<std::wstring> neverMade;  // below the user's profile ("~") or absolute
};

class HostileProjectWineTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileProjectWineTest, RestoreWritesOnlyWhereARestoreMay) {
    const HostileCase& hostile = GetParam();
    // File names take the same path in both builds; the registry's view differs for a 32-bit program.
    if (sizeof(void*) == 4 && std::string_view(hostile.file) != "registry.Plenvk") GTEST_SKIP() << "file names: the 64-bit suite covers them";
    const std::wstring project = buildFolder() + L"\\" + widen(hostile.file);
    // Its monitor names no display here: a restore would otherwise change the X server's mode for the
    // tests after this one.
    std::string bytes = readBytes(widen(std::string(PLENVIK_TEST_DATA) + "/hostile/" + hostile.file));
    const std::string display = "<DeviceName>\\\\.\\DISPLAY1</DeviceName>";
    ASSERT_NE(bytes.find(display), std::string::npos);
    bytes.replace(bytes.find(display), display.size(), "<DeviceName>\\\\.\\KEINER</DeviceName>");
    ASSERT_TRUE(writeUtf8File(project, bytes));
    const std::wstring profile = desktopFolder(CSIDL_PROFILE);
    const auto resolve = [&](const std::wstring& p) { return p.starts_with(L"~") ? profile + p.substr(1) : p; };
    for (const auto& p : hostile.neverMade) ASSERT_EQ(GetFileAttributesW(resolve(p).c_str()), INVALID_FILE_ATTRIBUTES) << narrow(p);
    const std::wstring userDesktop = desktopFolder(CSIDL_DESKTOPDIRECTORY), commonDesktop = desktopFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
    const auto userBefore = entries(userDesktop), commonBefore = entries(commonDesktop), buildBefore = entries(buildFolder());
    ASSERT_TRUE(createStockKeys());
    const auto registryBefore = registryThatMatters();

    TestShell shell(L"--no-snap");
    ASSERT_TRUE(shell.ready());
    const LONG windowBits = GetWindowLongW(shell.listView, GWL_STYLE) & 0xFFFF0000;
    const std::wstring summary = restoreAnsweringYes(project);
    EXPECT_EQ(GetWindowLongW(shell.listView, GWL_STYLE) & 0xFFFF0000, windowBits) << "the desktop window's own bits changed";
    DeleteFileW(project.c_str());

    EXPECT_NE(summary.find(L"(000" + std::to_wstring(hostile.refused) + L") nicht erstellt"), std::wstring::npos) << narrow(summary);
    for (const auto& p : hostile.neverMade) EXPECT_EQ(GetFileAttributesW(resolve(p).c_str()), INVALID_FILE_ATTRIBUTES) << narrow(p);
    for (const auto& [folder, before] : {std::pair{userDesktop, userBefore}, std::pair{commonDesktop, commonBefore}})
        for (const auto& name : entries(folder)) {
            EXPECT_TRUE(isBareFileName(narrow(name))) << narrow(name);
            if (!before.contains(name)) DeleteFileW((folder + L"\\" + name).c_str());
        }
    for (const auto& name : entries(buildFolder()))
        EXPECT_TRUE(buildBefore.contains(name) || name == L"Desktop.jpg" || name == L"ErrorLog.txt") << "made " << narrow(name);
    const auto registryAfter = registryThatMatters();
    for (const auto& line : registryAfter) EXPECT_TRUE(registryBefore.contains(line) || ownedByARestore(line)) << "wrote " << narrow(line);
    for (const auto& line : registryBefore) EXPECT_TRUE(registryAfter.contains(line) || ownedByARestore(line)) << "removed " << narrow(line);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileProjectWineTest,
    ::testing::Values(
        HostileCase{"traversal.Plenvk", 5, {L"~\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\x.bat", L"C:\\boot.ini", L"~\\x.txt"}},
        HostileCase{"devices.Plenvk", 5, {L"~\\Desktop\\Bericht"}},
        HostileCase{"streams.Plenvk", 3, {L"~\\Desktop\\a.txt", L"~\\Desktop\\desktop.ini", L"C:\\x.txt"}},
        HostileCase{"registry.Plenvk", 3, {}}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

}  // namespace
}  // namespace plenvik::test
