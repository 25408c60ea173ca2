#include "driver/TestShell.h"

#include <shlobj.h>

#include <cstdio>
#include <cwchar>

#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace plenvik::test {

namespace {

constexpr UINT kDumpMessage = WM_APP + 1;  // the shell's (tools/testshell/ShellListView.h)
constexpr LRESULT kDumpWritten = 0x5D;
constexpr UINT kMoveAsUserMessage = WM_APP + 2;
constexpr UINT kHangMessage = WM_APP + 3;

void removeTree(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    win32::UniqueFind search(FindFirstFileW((path + L"\\*").c_str(), &data));
    if (search) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search.get(), &data));
    }
    search.reset();
    RemoveDirectoryW(path.c_str());
}

bool keyExists(HKEY root, const std::wstring& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

TempFolder::TempFolder() {
    static int counter = 0;
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"plenvik-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { removeTree(path_); }

bool writeUtf8File(const std::wstring& path, const std::string& text) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && written;
}

TestShell::TestShell(const std::wstring& options) {
    // Under a loaded machine Wine now and then ends a new process around its first window (seen in full
    // runs, never alone; once just after the shell had said it was ready): one more start tells that
    // apart from a shell that cannot start.
    for (int attempt = 0; attempt < 2 && !(listView && IsWindow(listView)); ++attempt) start(options, attempt);
}

void TestShell::start(const std::wstring& options, int attempt) {
    progman = defView = listView = nullptr;
    const std::wstring readyFile = folder_.file(L"ready" + std::to_wstring(attempt) + L".txt");
    // A class of its own: a shell killed by an earlier test may still be registered under another.
    wchar_t classText[40] = {};
    if (FAILED(CoCreateGuid(&shellWindowsClass)) || !StringFromGUID2(shellWindowsClass, classText, 40)) return;
    const std::wstring wakeEvent = std::wstring(L"PlenvikTestShellWake") + classText;
    wake_.reset(CreateEventW(nullptr, FALSE, FALSE, wakeEvent.c_str()));
    process_ =
        std::make_unique<ChildProcess>(testShellPath(), options + L" --class " + classText + L" --ready \"" + readyFile + L"\" --dump \"" +
                                                            folder_.file(L"dump.txt") + L"\" --hang-event " + wakeEvent);
    if (!process_->started()) return;
    std::string line;
    pollUntil([&] {
        line = readBytes(readyFile);
        return !line.empty() || !process_->running();
    });
    unsigned long pid = 0;
    unsigned long long p = 0, d = 0, l = 0;
    if (std::sscanf(line.c_str(), "%lu %llx %llx %llx", &pid, &p, &d, &l) != 4) return;
    processId = pid;
    progman = reinterpret_cast<HWND>(static_cast<UINT_PTR>(p));
    defView = reinterpret_cast<HWND>(static_cast<UINT_PTR>(d));
    listView = reinterpret_cast<HWND>(static_cast<UINT_PTR>(l));
}

// Killed, not closed: under Wine a graceful end of the shell takes seconds and proves nothing here.
TestShell::~TestShell() {
    process_.reset();
    // Wine takes a thread that has not looked at its message queue for five seconds for hung, and
    // SendMessageTimeout(SMTO_ABORTIFHUNG) to its windows then fails at once: a later test that shows
    // a window on this thread must not start out as hung.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

ShellDump TestShell::dump() {
    ShellDump d;
    DWORD_PTR answer = 0;
    if (!progman || !SendMessageTimeoutW(progman, kDumpMessage, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer) ||
        static_cast<LRESULT>(answer) != kDumpWritten)
        return d;
    const std::string text = readBytes(folder_.file(L"dump.txt"));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        unsigned long u = 0;
        int index = 0, x = 0, y = 0, used = 0;
        if (std::sscanf(line.c_str(), "count %d", &d.count) == 1) continue;
        if (std::sscanf(line.c_str(), "style %lx", &u) == 1) {
            d.style = u;
            continue;
        }
        if (std::sscanf(line.c_str(), "exstyle %lx", &u) == 1) {
            d.exstyle = u;
            continue;
        }
        if (std::sscanf(line.c_str(), "view %d", &d.view) == 1) continue;
        if (std::sscanf(line.c_str(), "snap %d", &x) == 1) {
            d.snap = x != 0;
            continue;
        }
        if (std::sscanf(line.c_str(), "folderstyle %lx", &u) == 1) {
            d.folderStyle = u;
            continue;
        }
        if (std::sscanf(line.c_str(), "foldersnap %d", &x) == 1) {
            d.folderSnap = x != 0;
            continue;
        }
        if (std::sscanf(line.c_str(), "kept %d %d %d", &index, &x, &y) == 3) {
            d.kept.push_back({x, y});
            continue;
        }
        if (std::sscanf(line.c_str(), "parsing %d %n", &index, &used) >= 1 && used > 0) {
            d.parsingNames.push_back(line.substr(static_cast<std::size_t>(used)));
            continue;
        }
        if (std::sscanf(line.c_str(), "grid %d %d %d %d %d", &d.gridLeft, &d.gridTop, &d.cellWidth, &d.cellHeight, &d.rows) == 5) continue;
        if (std::sscanf(line.c_str(), "refreshes %d", &d.refreshes) == 1) continue;
        if (std::sscanf(line.c_str(), "late %d", &d.lateAnswers) == 1) continue;
        if (std::sscanf(line.c_str(), "item %d %d %d %n", &index, &x, &y, &used) >= 3 && used > 0)
            d.items.push_back({line.substr(static_cast<std::size_t>(used)), {x, y}});
    }
    return d;
}

bool TestShell::moveAsUser(int index, IconPosition to) {
    DWORD_PTR answer = 0;
    return progman &&
           SendMessageTimeoutW(progman, kMoveAsUserMessage, static_cast<WPARAM>(index), MAKELPARAM(to.x, to.y), SMTO_ABORTIFHUNG, 10000,
                               &answer) &&
           answer == TRUE;
}

bool TestShell::hangAt(UINT message) {
    DWORD_PTR answer = 0;
    return progman && SendMessageTimeoutW(progman, kHangMessage, message, 0, SMTO_ABORTIFHUNG, 10000, &answer) && answer == TRUE;
}

void TestShell::wake() { SetEvent(wake_.get()); }

ShellDump TestShell::dumpAfterRefresh(int after) {
    ShellDump d;
    pollUntil([&] { return (d = dump()).refreshes > after; });
    if (d.refreshes <= after) d.count = -1;
    return d;
}

std::wstring testShellPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"PLENVIK_TESTSHELL", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return path;
    return buildFolder() + L"\\testshell.exe";
}

std::wstring desktopFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

DesktopFile::DesktopFile(int csidl, const std::wstring& name, bool folder) : path_(desktopFolder(csidl) + L"\\" + name), folder_(folder) {
    if (folder_)
        created_ = CreateDirectoryW(path_.c_str(), nullptr) != 0;
    else
        created_ = writeUtf8File(path_, "Plenvik test\r\n");
}

DesktopFile::~DesktopFile() {
    if (!created_) return;
    if (folder_)
        removeTree(path_);
    else
        DeleteFileW(path_.c_str());
}

RegistryValueFixture::RegistryValueFixture(const std::wstring& subKey, const std::wstring& name, DWORD type, const std::vector<BYTE>& data,
                                           HKEY root)
    : root_(root), subKey_(subKey), name_(name) {
    // The outermost key of the path that does not exist yet is deleted (with what is below it) at the end.
    for (std::size_t cut = 0; cut != std::wstring::npos;) {
        cut = subKey.find(L'\\', cut + 1);
        const std::wstring part = subKey.substr(0, cut);
        if (!keyExists(root_, part)) {
            createdRoot_ = part;
            break;
        }
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(root_, subKey.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
    win32::UniqueKey owner(key);
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &oldType_, nullptr, &size) == ERROR_SUCCESS) {
        oldData_.resize(size);
        hadValue_ = RegQueryValueExW(key, name.c_str(), nullptr, &oldType_, oldData_.data(), &size) == ERROR_SUCCESS;
    }
    set_ = RegSetValueExW(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

RegistryValueFixture::~RegistryValueFixture() {
    if (!createdRoot_.empty()) {
        RegDeleteTreeW(root_, createdRoot_.c_str());
        return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(root_, subKey_.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    win32::UniqueKey owner(key);
    if (hadValue_)
        RegSetValueExW(key, name_.c_str(), 0, oldType_, oldData_.data(), static_cast<DWORD>(oldData_.size()));
    else
        RegDeleteValueW(key, name_.c_str());
}

std::vector<BYTE> RegistryValueFixture::dword(DWORD v) { return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)}; }

std::vector<BYTE> RegistryValueFixture::text(const std::wstring& s) {
    const BYTE* p = reinterpret_cast<const BYTE*>(s.c_str());
    return std::vector<BYTE>(p, p + (s.size() + 1) * sizeof(wchar_t));
}

}  // namespace plenvik::test
