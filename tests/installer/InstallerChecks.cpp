// What the setup leaves in a Wine prefix, checked from inside it: run-installer-tests installs silently
// (PLENVIK_INSTALL_MODE "user" or "machine"), runs the Installed* cases, uninstalls silently and runs the
// Removed* cases.
#include <windows.h>
#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "PlenvikVersion.h"
#include "app/win32/MainWindowIds.h"
#include "driver/WineDriver.h"
#include "platform/win32/Scoped.h"
#include "shellext/ShellExtensionIds.h"

namespace plenvik::test {
namespace {

using win32::ComPtr;

std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH + 1);
    return n > 0 && n <= MAX_PATH ? value : L"";
}

bool perMachine() { return environment(L"PLENVIK_INSTALL_MODE") == L"machine"; }

std::wstring knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) result = path;
    CoTaskMemFree(path);
    return result;
}

// Where each mode installs: the user's programs folder, or the machine's.
std::wstring installFolder() {
    return perMachine() ? knownFolder(FOLDERID_ProgramFiles) + L"\\Plenvik" : knownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Plenvik";
}
std::wstring shortcutPath() { return knownFolder(perMachine() ? FOLDERID_CommonPrograms : FOLDERID_Programs) + L"\\Plenvik.lnk"; }
HKEY modeRoot() { return perMachine() ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
HKEY otherRoot() { return perMachine() ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

const std::wstring kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Plenvik";
const std::wstring kClasses = L"Software\\Classes\\";
const std::wstring kClsidKey = kClasses + L"CLSID\\" + shellext::kClsidText;

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool keyExists(HKEY root, const std::wstring& key) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
    win32::UniqueKey opened(raw);
    return true;
}

std::optional<std::wstring> stringValue(HKEY root, const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return std::nullopt;
    return std::wstring(data);
}

std::string utf8(const std::wstring& w) { return std::string(w.begin(), w.end()); }

std::wstring fileVersionText(const std::wstring& file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::string block(size, '\0');
    void* value = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\StringFileInfo\\040704B0\\FileVersion", &value, &length))
        return L"";
    return static_cast<const wchar_t*>(value);
}

std::wstring widenAscii(const char* text) { return std::wstring(text, text + strlen(text)); }

class InstalledSetup : public ::testing::Test {
protected:
    win32::ComApartment apartment_;
    const std::wstring folder_ = installFolder();
    const std::wstring exe_ = folder_ + L"\\Plenvik.exe";
    const std::wstring dll_ = folder_ + L"\\OrvelShellExtensions.dll";
};

TEST_F(InstalledSetup, PutsFilesShortcutAndAppsEntryInPlaceWithOneVersion) {
    for (const wchar_t* name : {L"Plenvik.exe", L"OrvelShellExtensions.dll", L"OrvelShellExtensions.tlb", L"Uninstall.exe"})
        EXPECT_TRUE(exists(folder_ + L"\\" + name)) << utf8(folder_) << " lacks " << utf8(name);
    const std::wstring version = widenAscii(PLENVIK_VERSION_TEXT);
    EXPECT_EQ(fileVersionText(exe_), version);
    EXPECT_EQ(fileVersionText(dll_), version);

    ComPtr<IShellLinkW> link;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.putVoid()), S_OK);
    ComPtr<IPersistFile> file;
    ASSERT_EQ(link->QueryInterface(IID_IPersistFile, file.putVoid()), S_OK);
    ASSERT_EQ(file->Load(shortcutPath().c_str(), STGM_READ), S_OK) << "no Start-menu shortcut " << utf8(shortcutPath());
    wchar_t target[MAX_PATH] = {};
    ASSERT_EQ(link->GetPath(target, MAX_PATH, nullptr, 0), S_OK);
    EXPECT_EQ(lstrcmpiW(target, exe_.c_str()), 0) << utf8(target);

    const HKEY root = modeRoot();
    EXPECT_EQ(stringValue(root, kUninstallKey, L"DisplayName"), L"Plenvik");
    EXPECT_EQ(stringValue(root, kUninstallKey, L"DisplayVersion"), version);
    EXPECT_EQ(stringValue(root, kUninstallKey, L"Publisher"), L"Orvel GmbH");
    EXPECT_EQ(stringValue(root, kUninstallKey, L"DisplayIcon"), exe_ + L",0");
    const std::wstring mode = perMachine() ? L" /ALLUSERS" : L" /CURRENTUSER";
    EXPECT_EQ(stringValue(root, kUninstallKey, L"UninstallString"), L"\"" + folder_ + L"\\Uninstall.exe\"" + mode);
    EXPECT_EQ(stringValue(root, kUninstallKey, L"QuietUninstallString"), L"\"" + folder_ + L"\\Uninstall.exe\"" + mode + L" /S");
    DWORD sizeKb = 0, bytes = sizeof sizeKb;
    ASSERT_EQ(RegGetValueW(root, kUninstallKey.c_str(), L"EstimatedSize", RRF_RT_REG_DWORD, nullptr, &sizeKb, &bytes), ERROR_SUCCESS);
    WIN32_FILE_ATTRIBUTE_DATA program{};
    ASSERT_TRUE(GetFileAttributesExW(exe_.c_str(), GetFileExInfoStandard, &program));
    EXPECT_GE(sizeKb, program.nFileSizeLow / 1024) << "the size counts at least the program";
    EXPECT_FALSE(keyExists(otherRoot(), kUninstallKey)) << "an entry in the other mode's root";
}

TEST_F(InstalledSetup, RegistersTheExtensionAndTheProjectTypeInTheModesClassesOnly) {
    const HKEY root = modeRoot();
    EXPECT_EQ(stringValue(root, kClsidKey + L"\\InprocServer32"), dll_);
    EXPECT_EQ(stringValue(root, kClsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(stringValue(root, kClasses + shellext::kHandlerKey), shellext::kClsidText);
    EXPECT_EQ(stringValue(root, kClasses + shellext::kProgId + L"\\CLSID"), shellext::kClsidText);
    EXPECT_EQ(stringValue(root, kClasses + L".Plenvk"), L"Plenvik.Projekt");
    EXPECT_EQ(stringValue(root, kClasses + L"Plenvik.Projekt\\DefaultIcon"), exe_ + L",0");
    EXPECT_EQ(stringValue(root, kClasses + L"Plenvik.Projekt\\shell\\open\\command"), L"\"" + exe_ + L"\" \"%1\"");
    for (const std::wstring& key : {kClsidKey, kClasses + shellext::kHandlerKey, kClasses + L".Plenvk"})
        EXPECT_FALSE(keyExists(otherRoot(), key)) << utf8(key) << " in the other mode's root";

    // The server the mode's classes name makes the context menu, as COM does for Explorer. (Wine's
    // HKEY_CLASSES_ROOT is the machine's classes only, so CoCreateInstance cannot be asked per user.)
    const auto server = stringValue(root, kClsidKey + L"\\InprocServer32");
    ASSERT_TRUE(server);
    win32::UniqueModule module(LoadLibraryW(server->c_str()));
    ASSERT_TRUE(module) << "the registered server does not load";
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module.get(), "DllGetClassObject")));
    ASSERT_NE(get, nullptr);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(get(shellext::kClsidOrvelShellExtensions, IID_IClassFactory, factory.putVoid()), S_OK);
    ComPtr<IContextMenu> menu;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, menu.putVoid()), S_OK);
}

// PLENVIK_OPEN_PROJECT names a project file outside the program's folder (a copy of the golden project).
TEST_F(InstalledSetup, OpeningAProjectFileStartsPlenvikShowingThatProject) {
    // Wine's ShellExecute looks in the machine's classes only: the per-user association is checked in
    // the registry above, the opening itself in the per-machine run.
    if (!perMachine()) GTEST_SKIP() << "Wine does not read per-user file associations";
    const std::wstring project = environment(L"PLENVIK_OPEN_PROJECT");
    ASSERT_TRUE(exists(project)) << "no project file to open";
    SHELLEXECUTEINFOW open{};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_NOCLOSEPROCESS;
    open.lpVerb = L"open";
    open.lpFile = project.c_str();
    open.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&open)) << "ShellExecuteEx failed: " << GetLastError();
    win32::UniqueHandle process(open.hProcess);
    ASSERT_TRUE(process) << "the association started no process";
    const DWORD id = GetProcessId(process.get());
    HWND window = nullptr;
    ASSERT_TRUE(pollUntil(
        [&] {
            window = findTopWindow(id, win32::kMainWindowClass);
            return window && GetPropW(window, win32::kCommandDoneProperty);
        },
        20000))
        << "Plenvik's main window did not finish its start";

    const auto child = [&](int id) { return GetDlgItem(window, id); };
    const std::wstring folder = project.substr(0, project.find_last_of(L'\\'));
    EXPECT_EQ(windowText(child(win32::kIdTxtDirectoryName)), folder);
    const int selected = listViewSelectedItem(child(win32::kIdLvwProjects));
    ASSERT_GE(selected, 0) << "no project selected";
    EXPECT_EQ(listViewItemText(child(win32::kIdLvwProjects), selected, 12), project.substr(folder.size() + 1));
    EXPECT_GT(listViewItemCount(child(win32::kIdLvwProjectData)), 0) << "the project's header and monitors are not shown";
    EXPECT_EQ(listViewItemCount(child(win32::kIdLvwProjectIcons)), 5) << "the golden project's five icons";

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0) << "Plenvik did not end";
}

class RemovedSetup : public ::testing::Test {};

TEST_F(RemovedSetup, LeavesNothingOfItsOwnBehindInEitherRoot) {
    const std::wstring folder = installFolder();
    for (const wchar_t* name : {L"Plenvik.exe", L"OrvelShellExtensions.dll", L"OrvelShellExtensions.tlb", L"Uninstall.exe"})
        EXPECT_FALSE(exists(folder + L"\\" + name)) << utf8(name) << " is still there";
    EXPECT_FALSE(exists(shortcutPath()));
    const std::wstring typeLib = kClasses + L"TypeLib\\" + shellext::kLibidText;
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const std::wstring& key :
             {kUninstallKey, kClsidKey, kClasses + shellext::kHandlerKey, kClasses + shellext::kProgId,
              kClasses + shellext::kVersionIndependentProgId, kClasses + L".Plenvk", kClasses + L"Plenvik.Projekt", typeLib})
            EXPECT_FALSE(keyExists(root, key)) << utf8(key) << " is still there";
    }
}

}  // namespace
}  // namespace plenvik::test
