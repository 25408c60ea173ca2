#include "platform/win32/Win32FileSystem.h"

#include <algorithm>

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/Scoped.h"
#include "platform/win32/ShellRecycle.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

class Win32File : public FileHandle {
public:
    explicit Win32File(HANDLE h) : file_(h) {}

    std::optional<std::uint64_t> size() override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file_.get(), &size)) return std::nullopt;
        return static_cast<std::uint64_t>(size.QuadPart);
    }
    std::optional<std::uint64_t> sizeFromInformation() override {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(file_.get(), &info)) return std::nullopt;
        return (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    }
    std::optional<std::uint64_t> lastWriteTime() override {
        FILETIME written{};
        if (!GetFileTime(file_.get(), nullptr, nullptr, &written)) return std::nullopt;
        return (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    }
    std::optional<std::size_t> read(void* buffer, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(file_.get(), static_cast<char*>(buffer) + done, chunk, &got, nullptr)) return std::nullopt;
            if (got == 0) break;
            done += got;
        }
        return done;
    }
    std::optional<std::size_t> write(const void* buffer, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
            DWORD put = 0;
            if (!WriteFile(file_.get(), static_cast<const char*>(buffer) + done, chunk, &put, nullptr)) return std::nullopt;
            if (put == 0) break;  // the device takes nothing more: a short count
            done += put;
        }
        return done;
    }
    bool flush() override { return FlushFileBuffers(file_.get()) != 0; }
    bool seekToEnd() override {
        LARGE_INTEGER zero{};
        return SetFilePointerEx(file_.get(), zero, nullptr, FILE_END) != 0;
    }
    bool skip(std::uint64_t count) override {
        LARGE_INTEGER zero{}, at{}, size{};
        if (!SetFilePointerEx(file_.get(), zero, &at, FILE_CURRENT) || !GetFileSizeEx(file_.get(), &size)) return false;
        const auto position = static_cast<std::uint64_t>(at.QuadPart), end = static_cast<std::uint64_t>(size.QuadPart);
        if (position > end || count > end - position) return false;
        LARGE_INTEGER by{};
        by.QuadPart = static_cast<LONGLONG>(count);
        return SetFilePointerEx(file_.get(), by, nullptr, FILE_CURRENT) != 0;
    }
    bool close() override {
        if (!file_) return true;
        const bool ok = CloseHandle(file_.release()) != 0;
        return ok;
    }

private:
    UniqueFile file_;
};

bool isAbsolute(const std::string& path) {
    return (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) || path.rfind("\\\\", 0) == 0;
}

// Whether the Recycle Bin of the item's drive would keep it: a fixed drive whose bin answers. A network
// or removable drive has none, and SHFileOperation would delete the item for good there.
bool binKeeps(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH)) return false;
    if (GetDriveTypeW(root) != DRIVE_FIXED) return false;
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    return SUCCEEDED(SHQueryRecycleBinW(root, &info));
}

// SHFileOperation's FO_DELETE on one item, without asking and without error windows.
bool shellDelete(const std::string& path, FILEOP_FLAGS undo) {
    std::wstring from = widen(path);
    from.push_back(L'\0');  // the list ends with two NULs
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = undo | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

// Whether path names a file (not a folder) on a volume that keeps named streams. NTFS does; FAT does
// not, and neither do Wine's folders, where "file:stream" would make a file of that name beside file.
bool streamsPossible(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    wchar_t root[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH)) return false;
    DWORD flags = 0;
    if (!GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) return false;
    return (flags & FILE_NAMED_STREAMS) != 0;
}

}  // namespace

std::unique_ptr<FileHandle> Win32FileSystem::open(const FileOpenRequest& r, unsigned long* error) {
    HANDLE h = CreateFileW(widen(r.path).c_str(), r.access, r.share, nullptr, r.creation,
                           r.attributes | (r.sequential ? FILE_FLAG_SEQUENTIAL_SCAN : 0), nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) *error = GetLastError();
        return nullptr;
    }
    return std::make_unique<Win32File>(h);
}

std::vector<FindEntry> Win32FileSystem::find(const std::string& pattern) {
    std::vector<FindEntry> entries;
    WIN32_FIND_DATAW data{};
    UniqueFind search(FindFirstFileExW(widen(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
    if (!search) return entries;
    do {
        entries.push_back(
            {narrow(data.cFileName), data.dwFileAttributes, (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    } while (FindNextFileW(search.get(), &data));
    return entries;
}

bool Win32FileSystem::exists(const std::string& path) { return GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::uint32_t> Win32FileSystem::attributes(const std::string& path) {
    const DWORD a = GetFileAttributesW(widen(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return a;
}

bool Win32FileSystem::deleteFile(const std::string& path, bool force) {
    const std::wstring wide = widen(path);
    if (force) SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(wide.c_str()) != 0;
}

std::string Win32FileSystem::fullPath(const std::string& path) {
    const std::wstring wide = widen(path);
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr));
    return narrow(full);
}

RecycleResult Win32FileSystem::recycle(const std::string& path) {
    // FOF_ALLOWUNDO is ignored for a relative path: the item would be deleted for good.
    if (!isAbsolute(path)) return RecycleResult::NotRecyclable;
    if (GetFileAttributesW(widen(path).c_str()) == INVALID_FILE_ATTRIBUTES) return RecycleResult::Failed;
    // The shell's file operation knows every reason the bin has to refuse an item; without it, the
    // drive decides (a too large item or a bin switched off then goes unnoticed).
    if (const auto result = recycleThroughFileOperation(widen(path))) return *result;
    if (!binKeeps(widen(path))) return RecycleResult::NotRecyclable;
    return shellDelete(path, FOF_ALLOWUNDO) ? RecycleResult::Recycled : RecycleResult::Failed;
}

bool Win32FileSystem::deletePermanently(const std::string& path) { return isAbsolute(path) && shellDelete(path, 0); }

bool Win32FileSystem::createFolder(const std::string& path) { return CreateDirectoryW(widen(path).c_str(), nullptr) != 0; }

bool Win32FileSystem::replaceFile(const std::string& source, const std::string& target) {
    return MoveFileExW(widen(source).c_str(), widen(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::renameNoReplace(const std::string& source, const std::string& target) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails (ERROR_ALREADY_EXISTS) when the target exists.
    return MoveFileExW(widen(source).c_str(), widen(target).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

// A stream is addressed as "file:stream"; its sharing is its own, so it can be written while the
// file's content is open without sharing (a new file being filled).
StreamContent Win32FileSystem::readStream(const std::string& path, const std::string& name, std::size_t maxBytes) {
    const std::wstring file = widen(path);
    if (!isStreamName(name) || !streamsPossible(file)) return {};
    HANDLE h = CreateFileW((file + L":" + widen(name)).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    Win32File stream(h);
    const auto size = stream.size();
    if (!size) return {};
    if (*size > maxBytes) return {StreamStatus::TooLarge, {}};
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    const auto got = stream.read(bytes.data(), bytes.size());
    if (!got || *got != bytes.size()) return {};
    return {StreamStatus::Read, std::move(bytes)};
}

bool Win32FileSystem::writeStream(const std::string& path, const std::string& name, std::string_view bytes) {
    const std::wstring file = widen(path);
    if (!isStreamName(name) || !streamsPossible(file)) return false;
    const std::wstring streamPath = file + L":" + widen(name);
    HANDLE h = CreateFileW(streamPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    Win32File stream(h);
    const auto put = stream.write(bytes.data(), bytes.size());
    if (put && *put == bytes.size() && stream.flush() && stream.close()) return true;
    stream.close();
    DeleteFileW(streamPath.c_str());  // removes the stream alone, never the file
    return false;
}

}  // namespace plenvik::win32
