// Files and folders as the core asks for them. Paths are Windows paths in UTF-8 ("C:\Users\x\Desktop");
// the POSIX backend maps them below a root folder.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plenvik {

// The Win32 attribute bits the program looks at.
inline constexpr std::uint32_t kAttrReadOnly = 0x1, kAttrHidden = 0x2, kAttrSystem = 0x4, kAttrDirectory = 0x10, kAttrArchive = 0x20,
                               kAttrNormal = 0x80, kAttrCompressed = 0x800, kAttrEncrypted = 0x4000;

// The arguments of CreateFile that FileBuffer's open modes use.
inline constexpr std::uint32_t kGenericRead = 0x80000000u, kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kShareNone = 0, kShareRead = 1;
// kCreateNew fails (ERROR_FILE_EXISTS) when the name is taken: a file made this way is never someone else's.
inline constexpr std::uint32_t kCreateNew = 1, kCreateAlways = 2, kOpenExisting = 3, kOpenAlways = 4;
inline constexpr unsigned long kErrorFileExists = 80;

struct FileOpenRequest {
    std::string path;
    std::uint32_t access = kGenericRead;
    std::uint32_t share = kShareRead;
    std::uint32_t creation = kOpenExisting;
    std::uint32_t attributes = kAttrNormal;
    // The file will be read from start to end once: the system may read ahead.
    bool sequential = false;
};

// An open file; closes itself when destroyed.
class FileHandle {
public:
    virtual ~FileHandle() = default;
    // The size as GetFileSize reports it (low 32 bits in the caller's hands).
    virtual std::optional<std::uint64_t> size() = 0;
    // The size from the handle's information block (GetFileInformationByHandle).
    virtual std::optional<std::uint64_t> sizeFromInformation() = 0;
    // When the file was last written, in 100-nanosecond steps since 1601 (GetFileTime's FILETIME).
    virtual std::optional<std::uint64_t> lastWriteTime() = 0;
    // Reads up to count bytes at the current position; the number read, or nullopt on failure.
    virtual std::optional<std::size_t> read(void* buffer, std::size_t count) = 0;
    virtual std::optional<std::size_t> write(const void* buffer, std::size_t count) = 0;
    // Puts what was written on the disk (FlushFileBuffers, fsync); false when the system could not.
    // May run on another thread while this one writes (FlushBehind flushes behind a big file's writes).
    virtual bool flush() = 0;
    // Moves the position to the end (appending to a log file).
    virtual bool seekToEnd() = 0;
    // Moves the position on by count bytes without reading them; false (position unchanged) when the
    // file ends before or the handle cannot move, and the caller then reads past instead.
    virtual bool skip(std::uint64_t /*count*/) { return false; }
    virtual bool close() = 0;
};

// What became of an item sent to the Recycle Bin.
enum class RecycleResult {
    Recycled,       // it is in the bin
    NotRecyclable,  // the bin would not keep it (network or removable drive, too big, bin switched off,
                    // relative path): it was left where it is, for the caller to ask about
    Failed,         // it could not be moved (in use, access denied, gone)
};

struct FindEntry {
    std::string name;  // name and extension, no path
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};

// A named stream of a file (NTFS keeps "Zone.Identifier" beside a downloaded file's content) as
// readStream finds it.
enum class StreamStatus {
    None,      // the file has no such stream, or it cannot be read, or the volume keeps no streams
    TooLarge,  // the stream holds more bytes than the caller takes
    Read,
};
struct StreamContent {
    StreamStatus status = StreamStatus::None;
    std::string bytes;  // when Read
};
// A name the backends take for a stream: not empty, no part of a path, no NUL.
inline bool isStreamName(std::string_view name) {
    return !name.empty() && name.find_first_of(std::string_view("\\/:\0", 4)) == std::string_view::npos;
}

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // nullptr and the system's error code when the file cannot be opened.
    virtual std::unique_ptr<FileHandle> open(const FileOpenRequest& request, unsigned long* error = nullptr) = 0;
    // FindFirstFile/FindNextFile: the entries matching a pattern with "*" and "?" in its last part,
    // in the system's order.
    virtual std::vector<FindEntry> find(const std::string& pattern) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual std::optional<std::uint32_t> attributes(const std::string& path) = 0;
    // Deletes a file; with force also a read-only, hidden or system one.
    virtual bool deleteFile(const std::string& path, bool force) = 0;
    // The absolute form of a path (GetFullPathName): a relative one is taken from the current folder.
    virtual std::string fullPath(const std::string& path) = 0;
    // Moves a file or folder to the Recycle Bin; never deletes it for good. A relative path is
    // NotRecyclable: make it absolute first (fullPath).
    virtual RecycleResult recycle(const std::string& path) = 0;
    // Deletes a file, or a folder with all it holds, for good (read-only ones too).
    virtual bool deletePermanently(const std::string& path) = 0;
    virtual bool createFolder(const std::string& path) = 0;
    // Renames source over target in one step (the safe end of writing a file through a temporary one).
    virtual bool replaceFile(const std::string& source, const std::string& target) = 0;
    // Renames source to target in one step, but only while nothing holds the target's name: a file or
    // folder that appears there meanwhile is never replaced (the result is then false).
    virtual bool renameNoReplace(const std::string& source, const std::string& target) = 0;
    // A named stream of a file (not of a folder), as NTFS keeps it: it belongs to the file, goes with
    // it when it is renamed and is deleted with it. The name holds no "\\", "/" or ":".
    virtual StreamContent readStream(const std::string& path, const std::string& name, std::size_t maxBytes) = 0;
    // Creates or replaces the stream of an existing file with exactly these bytes. False when the file
    // is missing, the volume keeps no streams or the bytes could not all be written.
    virtual bool writeStream(const std::string& path, const std::string& name, std::string_view bytes) = 0;
};

}  // namespace plenvik
