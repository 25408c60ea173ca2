#include "ShellSource.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>

#include "platform/Registry.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32FileSystem.h"

namespace plenvik::testshell {

namespace {

using win32::narrow;
using win32::widen;

// HKEY_CURRENT_USER, read only: as much of the registry as the desktop's system icons need.
class ReadOnlyRegistry : public Registry {
public:
    std::unique_ptr<RegistryKey> openCurrentUser(const std::string& subKey, bool, long* error) override {
        HKEY key = nullptr;
        const LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, widen(subKey).c_str(), 0, KEY_READ, &key);
        if (error) *error = rc;
        if (rc != ERROR_SUCCESS) return nullptr;
        return std::make_unique<Key>(key);
    }
    std::string errorText(long code) override { return win32::systemErrorText(static_cast<unsigned long>(code)); }

private:
    class Key : public RegistryKey {
    public:
        explicit Key(HKEY key) : key_(key) {}
        RegistryValue query(const std::string& name) override {
            RegistryValue value;
            DWORD type = 0, size = 0;
            const std::wstring wname = widen(name);
            value.error = RegQueryValueExW(key_.get(), wname.c_str(), nullptr, &type, nullptr, &size);
            if (value.error != ERROR_SUCCESS) return value;
            std::vector<BYTE> data(size + sizeof(wchar_t), 0);
            value.error = RegQueryValueExW(key_.get(), wname.c_str(), nullptr, &type, data.data(), &size);
            value.type = type;
            if (type == REG_SZ) {
                const std::string text = narrow(reinterpret_cast<const wchar_t*>(data.data()));
                value.data.assign(text.begin(), text.end());
            } else {
                value.data.assign(data.begin(), data.begin() + size);
            }
            return value;
        }
        long set(const std::string&, std::uint32_t, const std::vector<std::uint8_t>&) override { return ERROR_ACCESS_DENIED; }

    private:
        win32::UniqueKey key_;
    };
};

std::string folderPath(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return narrow(path);
}

}  // namespace

bool hasRegisteredProgram(std::string_view extension) {
    if (extension.size() < 2 || extension.front() != '.') return false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, widen(std::string(extension)).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    win32::UniqueKey owner(key);
    wchar_t progId[256] = {};
    DWORD size = sizeof progId - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(progId), &size) != ERROR_SUCCESS || type != REG_SZ ||
        progId[0] == 0)
        return false;
    HKEY program = nullptr;
    const bool known = RegOpenKeyExW(HKEY_CLASSES_ROOT, progId, 0, KEY_READ, &program) == ERROR_SUCCESS;
    win32::UniqueKey programOwner(program);
    return known;
}

ShellSource::ShellSource(std::wstring iconsFile, bool systemIcons, bool hideExtensions)
    : iconsFile_(std::move(iconsFile)), systemIcons_(systemIcons), hideExtensions_(hideExtensions) {
    folders_ = {folderPath(CSIDL_DESKTOPDIRECTORY), folderPath(CSIDL_COMMON_DESKTOPDIRECTORY)};
    registry_ = std::make_unique<ReadOnlyRegistry>();
}

ShellSource::~ShellSource() = default;

std::vector<DesktopEntry> ShellSource::read() {
    if (iconsFile_.empty()) {
        win32::Win32FileSystem files;
        std::vector<DesktopEntry> entries =
            readDesktopEntries(files, registry_.get(), folders_, hideExtensions_ ? KnownFileType(hasRegisteredProgram) : KnownFileType());
        if (!systemIcons_) std::erase_if(entries, [](const DesktopEntry& e) { return e.folder == kDesktopFolderNone; });
        return entries;
    }
    // A label of the list stands for a file of that name in the user's desktop folder.
    std::vector<DesktopEntry> entries;
    for (const std::string& label : readLines(iconsFile_))
        if (!label.empty()) entries.push_back({"icon|" + label, label, kDesktopFolderUser, folders_.user + "\\" + label});
    return entries;
}

std::vector<std::string> readLines(const std::wstring& path) {
    std::vector<std::string> lines;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return lines;
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    std::fclose(f);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace plenvik::testshell
