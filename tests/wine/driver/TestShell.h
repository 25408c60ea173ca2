// Driving the test shell (tools/testshell) from the Windows tests: start it with options, wait for its
// ready signal, ask it for its state; and the fixtures around it: files in the prefix's desktop folders
// and registry values under HKEY_CURRENT_USER, each removed again when the test ends.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "driver/WineDriver.h"
#include "platform/IconView.h"
#include "platform/win32/Scoped.h"

namespace plenvik::test {

// A folder of its own below the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Writes UTF-8 text; false when the file cannot be written.
bool writeUtf8File(const std::wstring& path, const std::string& text);

// What the shell's own list view holds, read in-process by the shell, and what the shell keeps.
struct ShellDump {
    int count = -1;
    std::uint32_t style = 0, exstyle = 0;
    int view = -1;
    bool snap = false;
    std::uint32_t folderStyle = 0;  // view type and auto-arrange as the folder view keeps them
    bool folderSnap = false;
    int gridLeft = 0, gridTop = 0, cellWidth = 0, cellHeight = 0, rows = 0;
    int refreshes = 0;
    int lateAnswers = 0;                    // messages the list view answered after a hang
    std::vector<IconItem> items;            // shown: labels and positions (no parsing names)
    std::vector<IconPosition> kept;         // per item: where the shell keeps it
    std::vector<std::string> parsingNames;  // per item: what the shell's folder says it is

    IconPosition cell(int column, int row) const { return {gridLeft + column * cellWidth, gridTop + row * cellHeight}; }
};

class TestShell {
public:
    // Starts testshell.exe with the given options (plus --ready and --dump) and waits for it to be ready.
    explicit TestShell(const std::wstring& options);
    ~TestShell();

    bool ready() const { return listView != nullptr; }
    // Asks the shell for its state; count -1 when it did not answer.
    ShellDump dump();
    // Waits until the shell has refreshed more often than `after` times (a refresh runs a moment after
    // F5); the dump then, count -1 when it did not come.
    ShellDump dumpAfterRefresh(int after);
    // Moves an item as the user's drag does (through the shell's own folder view: kept); false when the
    // shell did not take it.
    bool moveAsUser(int index, IconPosition to);
    // Hangs the list view in the next message `message` sent to it from another thread or process until
    // wake(); after waking it reads and writes the memory that message points to. False when the shell
    // did not take it.
    bool hangAt(UINT message);
    void wake();

    HWND progman = nullptr, defView = nullptr, listView = nullptr;
    DWORD processId = 0;
    // The class under which this shell serves its shell windows (a new one for every shell).
    CLSID shellWindowsClass{};

private:
    void start(const std::wstring& options, int attempt);

    TempFolder folder_;
    win32::UniqueHandle wake_;
    std::unique_ptr<ChildProcess> process_;
};

// The test shell program: PLENVIK_TESTSHELL when set (scripts/test points the 32-bit run at the
// 64-bit shell, as a 32-bit Plenvik meets a 64-bit Explorer), else testshell.exe of this build.
std::wstring testShellPath();

// A desktop folder of the prefix (CSIDL 16: the user's, 25: all users').
std::wstring desktopFolder(int csidl);

// A file (with content) or a folder in a desktop folder of the prefix, removed when the test ends.
class DesktopFile {
public:
    DesktopFile(int csidl, const std::wstring& name, bool folder = false);
    ~DesktopFile();
    DesktopFile(const DesktopFile&) = delete;
    DesktopFile& operator=(const DesktopFile&) = delete;
    bool created() const { return created_; }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    bool folder_;
    bool created_ = false;
};

// A value under HKEY_CURRENT_USER (or another root) set for the test: the previous value comes back
// afterwards, and keys the fixture had to create are deleted again.
class RegistryValueFixture {
public:
    RegistryValueFixture(const std::wstring& subKey, const std::wstring& name, DWORD type, const std::vector<BYTE>& data,
                         HKEY root = HKEY_CURRENT_USER);
    ~RegistryValueFixture();
    RegistryValueFixture(const RegistryValueFixture&) = delete;
    RegistryValueFixture& operator=(const RegistryValueFixture&) = delete;
    bool set() const { return set_; }

    static std::vector<BYTE> dword(DWORD v);
    static std::vector<BYTE> text(const std::wstring& s);

private:
    HKEY root_;
    std::wstring subKey_, name_, createdRoot_;
    bool set_ = false, hadValue_ = false;
    DWORD oldType_ = 0;
    std::vector<BYTE> oldData_;
};

}  // namespace plenvik::test
