#include "driver/WineDriver.h"

#include <commctrl.h>

#include <fstream>
#include <sstream>

#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace plenvik::test {

std::wstring buildFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    const auto cut = p.find_last_of(L"\\/");
    p = p.substr(0, cut);
    // Test executables live in <build>/tests; the programs in <build>.
    const auto up = p.find_last_of(L"\\/");
    if (up != std::wstring::npos && p.substr(up + 1) == L"tests") p = p.substr(0, up);
    return p;
}

ChildProcess::ChildProcess(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        process_ = pi.hProcess;
        id_ = pi.dwProcessId;
        CloseHandle(pi.hThread);
        WaitForInputIdle(process_, 10000);
    }
}

ChildProcess::~ChildProcess() {
    if (!process_) return;
    if (running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool ChildProcess::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool ChildProcess::waitForExit(DWORD milliseconds, DWORD* exitCode) const {
    if (!process_ || WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process_, exitCode);
    return true;
}

bool pollUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() > end) return false;
        Sleep(20);
    }
}

namespace {

struct TopWindowSearch {
    DWORD pid;
    const std::wstring* cls;
    HWND found;
};

// Named callbacks: on 32-bit Windows a lambda does not convert to the stdcall callback type.
BOOL CALLBACK matchTopWindow(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<TopWindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid) return TRUE;
    if (!s->cls->empty() && className(w) != *s->cls) return TRUE;
    s->found = w;
    return FALSE;
}

BOOL CALLBACK collectChild(HWND w, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
    return TRUE;
}

}  // namespace

HWND findTopWindow(DWORD processId, const std::wstring& cls) {
    TopWindowSearch search{processId, &cls, nullptr};
    EnumWindows(matchTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring windowText(HWND window) {
    // GetWindowText does not ask another process's controls; WM_GETTEXT is carried across.
    wchar_t buffer[1024] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 5000, &result);
    return buffer;
}

std::wstring className(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

std::vector<HWND> childWindows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::vector<std::wstring> listViewHeaders(HWND listView) {
    std::vector<std::wstring> headers;
    HWND header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    DWORD pid = 0;
    GetWindowThreadProcessId(listView, &pid);
    win32::UniqueHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!header || !process) return headers;
    constexpr SIZE_T kTextChars = 256;
    const SIZE_T size = sizeof(HDITEMW) + kTextChars * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return headers;
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // The test and Plenvik have the same bitness, so the item block has our layout.
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(HDITEMW));
        item.cchTextMax = kTextChars;
        wchar_t text[kTextChars] = {};
        WriteProcessMemory(process.get(), remote, &item, sizeof item, nullptr);
        WriteProcessMemory(process.get(), item.pszText, text, sizeof text, nullptr);
        SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process.get(), item.pszText, text, sizeof text, nullptr);
        text[kTextChars - 1] = 0;
        headers.emplace_back(text);
    }
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return headers;
}

bool answer(const ChildProcess& p, const std::wstring& caption, int button, DWORD milliseconds) {
    HWND box = nullptr;
    const bool shown = pollUntil(
        [&] {
            box = findTopWindow(p.id(), L"#32770");
            return box && IsWindowVisible(box) && windowText(box) == caption;
        },
        milliseconds);
    if (shown) PostMessageW(box, WM_COMMAND, button, 0);
    return shown;
}

std::string visibleDialogs(DWORD processId) {
    std::string out;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w; w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != processId || !IsWindowVisible(w)) continue;
        out += '[';
        out += win32::narrow(windowText(w));
        out += ']';
        for (HWND child : childWindows(w)) {
            out += ' ';
            out += win32::narrow(windowText(child));
        }
        out += '\n';
    }
    return out.empty() ? "no dialog shown" : out;
}

std::vector<std::wstring> projectFiles() {
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW data{};
    win32::UniqueFind search(FindFirstFileW((buildFolder() + L"\\*.Plenvk").c_str(), &data));
    if (!search) return found;
    do found.push_back(data.cFileName);
    while (FindNextFileW(search.get(), &data));
    return found;
}

void removeProjectFiles() {
    for (const auto& name : projectFiles()) DeleteFileW((buildFolder() + L"\\" + name).c_str());
}

std::string readBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string runSuiteInVirtualDesktop(const std::wstring& suite, int width, int height, DWORD milliseconds) {
    wchar_t self[MAX_PATH] = {}, windows[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    GetWindowsDirectoryW(windows, MAX_PATH);
    GetTempPathW(MAX_PATH, temp);
    const std::wstring tag = suite + L"_" + std::to_wstring(GetCurrentProcessId());
    const std::wstring report = std::wstring(temp) + L"plenvik_vd_" + tag + L".xml";
    DeleteFileW(report.c_str());
    const std::wstring desktop = L"/desktop=plenvik_" + tag + L"," + std::to_wstring(width) + L"x" + std::to_wstring(height);
    ChildProcess explorer(std::wstring(windows) + L"\\explorer.exe", desktop + L" \"" + self +
                                                                         L"\" --gtest_also_run_disabled_tests --gtest_filter=" + suite +
                                                                         L".* --gtest_output=xml:\"" + report + L"\"");
    if (!explorer.started()) return {};
    // gtest writes the report when the inner run has ended.
    std::string xml;
    const bool reported = pollUntil(
        [&] {
            xml = readBytes(report);
            return xml.find("</testsuites>") != std::string::npos;
        },
        milliseconds);
    explorer.waitForExit(10000);
    DeleteFileW(report.c_str());
    return reported ? xml : std::string();
}

int listViewItemCount(HWND listView) { return static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring listViewItemText(HWND listView, int item, int column) {
    DWORD pid = 0;
    GetWindowThreadProcessId(listView, &pid);
    win32::UniqueHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process || item < 0) return {};
    constexpr SIZE_T kTextChars = 1024;
    const SIZE_T size = sizeof(LVITEMW) + kTextChars * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return {};
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(LVITEMW));
    request.cchTextMax = kTextChars;
    std::vector<wchar_t> text(kTextChars, L'\0');
    WriteProcessMemory(process.get(), remote, &request, sizeof request, nullptr);
    SendMessageW(listView, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process.get(), request.pszText, text.data(), text.size() * sizeof(wchar_t), nullptr);
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    text.back() = L'\0';
    return text.data();
}

int listViewSelectedItem(HWND listView) {
    return static_cast<int>(SendMessageW(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace plenvik::test
