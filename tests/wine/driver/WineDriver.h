// What the Windows tests need to drive another process's windows: starting a program of the build,
// bounded polls for its windows, and reading controls across the process boundary.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace plenvik::test {

// The folder of the running test executable (the build folder, where Plenvik.exe lies too).
std::wstring buildFolder();

// A started program; killed when the test ends without it having ended.
class ChildProcess {
public:
    ChildProcess(const std::wstring& exe, const std::wstring& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_; }
    bool running() const;
    // Waits for the end; false when it did not end within the time.
    bool waitForExit(DWORD milliseconds, DWORD* exitCode = nullptr) const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The whole file's bytes; empty when it cannot be read.
std::string readBytes(const std::wstring& path);

// The project files Plenvik.exe saved into its own folder (the build folder): names, and removing them.
std::vector<std::wstring> projectFiles();
void removeProjectFiles();

// Runs this test program again inside a Wine virtual desktop of the given size (explorer.exe
// /desktop=...), with the disabled tests of one suite only; returns gtest's XML report of that run, or
// "" when none came within the time.
std::string runSuiteInVirtualDesktop(const std::wstring& suite, int width, int height, DWORD milliseconds);

// Polls every 20 ms until the condition holds or the time is up.
bool pollUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000);

// The first top-level window of the process with the given class (empty: any class).
HWND findTopWindow(DWORD processId, const std::wstring& className);
std::wstring windowText(HWND window);
std::wstring className(HWND window);
std::vector<HWND> childWindows(HWND parent);

// Waits for a message box of the process with this caption and presses the button; false when none came.
bool answer(const ChildProcess& p, const std::wstring& caption, int button, DWORD milliseconds = 60000);
// The captions and texts of the process's visible dialogs, for a failure message.
std::string visibleDialogs(DWORD processId);

// The column headers of a list view in another process (read through memory in that process).
std::vector<std::wstring> listViewHeaders(HWND listView);
int listViewItemCount(HWND listView);
// The text of an item's column in a list view in another process; -1 as item: none.
std::wstring listViewItemText(HWND listView, int item, int column);
int listViewSelectedItem(HWND listView);

}  // namespace plenvik::test
