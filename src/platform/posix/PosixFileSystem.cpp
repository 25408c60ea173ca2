#include "platform/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "common/Text.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

// Win32 error codes the callers may show.
constexpr unsigned long kErrorFileNotFound = 2, kErrorPathNotFound = 3, kErrorAccessDenied = 5;
// From the start of FILETIME's count to the start of the Unix time.
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

unsigned long win32Error(int err) {
    switch (err) {
    case ENOENT: return kErrorFileNotFound;
    case ENOTDIR: return kErrorPathNotFound;
    case EEXIST: return kErrorFileExists;
    default: return kErrorAccessDenied;
    }
}

class PosixFile : public FileHandle {
public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override { close(); }

    std::optional<std::uint64_t> size() override { return sizeFromInformation(); }
    std::optional<std::uint64_t> sizeFromInformation() override {
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0) return std::nullopt;
        return static_cast<std::uint64_t>(st.st_size);
    }
    std::optional<std::uint64_t> lastWriteTime() override {
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0 || st.st_mtim.tv_sec < -kSecondsFrom1601To1970) return std::nullopt;
        return static_cast<std::uint64_t>(st.st_mtim.tv_sec + kSecondsFrom1601To1970) * 10'000'000u +
               static_cast<std::uint64_t>(st.st_mtim.tv_nsec) / 100u;
    }
    std::optional<std::size_t> read(void* buffer, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::read(fd_, static_cast<char*>(buffer) + done, count - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return std::nullopt;
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }
    std::optional<std::size_t> write(const void* buffer, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + done, count - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return std::nullopt;
            if (n == 0) break;  // the device takes nothing more: a short count
            done += static_cast<std::size_t>(n);
        }
        return done;
    }
    bool flush() override { return fd_ >= 0 && ::fsync(fd_) == 0; }
    bool seekToEnd() override { return fd_ >= 0 && ::lseek(fd_, 0, SEEK_END) >= 0; }
    bool skip(std::uint64_t count) override {
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0) return false;
        const off_t at = ::lseek(fd_, 0, SEEK_CUR);
        if (at < 0 || count > static_cast<std::uint64_t>(st.st_size) - static_cast<std::uint64_t>(std::min<off_t>(at, st.st_size)))
            return false;
        return ::lseek(fd_, static_cast<off_t>(count), SEEK_CUR) >= 0;
    }
    bool close() override {
        if (fd_ < 0) return true;
        const bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

std::uint32_t attributesOf(const fs::path& p, const struct stat& st) {
    std::uint32_t a = 0;
    if (S_ISDIR(st.st_mode)) a |= kAttrDirectory;
    if ((st.st_mode & S_IWUSR) == 0) a |= kAttrReadOnly;
    if (!S_ISDIR(st.st_mode)) a |= kAttrArchive;
    (void)p;
    return a;
}

// Neither "C:\..." nor "\\server\..." nor a host path ("/tmp/..."): taken from the current folder.
bool isRelative(const std::string& path) {
    if (path.empty() || path[0] == '/' || path[0] == '\\') return false;
    return !(path.size() >= 2 && path[1] == ':');
}

// Where the named streams of the file at native lie.
std::string streamFolder(const std::string& native) { return native + ":"; }

bool isRegularFile(const std::string& native) {
    struct stat st {};
    return ::stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The streams of a file that is gone or replaced go with it.
void dropStreams(const std::string& native) {
    std::error_code ec;
    fs::remove_all(streamFolder(native), ec);
}

// A file renamed from one native path to another takes its streams along; what the target name had
// before is gone.
void moveStreams(const std::string& from, const std::string& to) {
    dropStreams(to);
    ::rename(streamFolder(from).c_str(), streamFolder(to).c_str());
}

bool below(const std::string& path, const std::string& folder) {
    if (folder.empty()) return false;
    std::string prefix = foldCase(folder);
    if (prefix.back() != '\\') prefix += '\\';
    return foldCase(path).compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

PosixFileSystem::PosixFileSystem(std::string root) : root_(std::move(root)) {
    while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

std::string PosixFileSystem::nativePath(const std::string& path) const {
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        std::string rest = path.substr(2);
        std::replace(rest.begin(), rest.end(), '\\', '/');
        if (!rest.empty() && rest.front() != '/') rest.insert(rest.begin(), '/');
        return root_ + "/" + std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])))) + rest;
    }
    if (isRelative(path)) return nativePath(currentFolder + "\\" + path);
    return path;
}

std::string PosixFileSystem::fullPath(const std::string& path) { return isRelative(path) ? currentFolder + "\\" + path : path; }

std::string PosixFileSystem::recycleFolder() const { return (root_.empty() ? std::string("/tmp") : root_) + "/$RECYCLE.BIN"; }

std::unique_ptr<FileHandle> PosixFileSystem::open(const FileOpenRequest& request, unsigned long* error) {
    int flags = 0;
    const bool reading = (request.access & kGenericRead) != 0, writing = (request.access & kGenericWrite) != 0;
    flags = reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY;
    switch (request.creation) {
    case kOpenExisting: break;
    case kCreateNew: flags |= O_CREAT | O_EXCL; break;
    case kOpenAlways: flags |= O_CREAT; break;
    case kCreateAlways: flags |= O_CREAT | O_TRUNC; break;
    default:
        if (error) *error = 87;  // ERROR_INVALID_PARAMETER
        return nullptr;
    }
    const std::string native = nativePath(request.path);
    struct stat st {};
    const bool found = ::stat(native.c_str(), &st) == 0;
    if (found && S_ISDIR(st.st_mode)) {
        if (error) *error = request.creation == kCreateNew ? kErrorFileExists : kErrorAccessDenied;
        return nullptr;
    }
    if (!found && (flags & O_CREAT)) dropStreams(native);  // a new file has none, whatever a removal around this class left
    const mode_t mode = (request.attributes & kAttrReadOnly) ? 0444 : 0644;
    const int fd = ::open(native.c_str(), flags | O_CLOEXEC, mode);
    if (fd < 0) {
        if (error) *error = win32Error(errno);
        return nullptr;
    }
    // As FILE_FLAG_SEQUENTIAL_SCAN: a wider read-ahead, not the whole file read into the cache at once.
    if (request.sequential) ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return std::make_unique<PosixFile>(fd);
}

std::vector<FindEntry> PosixFileSystem::find(const std::string& pattern) {
    std::vector<FindEntry> entries;
    const auto cut = pattern.find_last_of('\\');
    const std::string folder = cut == std::string::npos ? std::string(".") : pattern.substr(0, cut);
    std::string mask = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    if (mask == "*.*") mask = "*";  // Windows matches names without an extension too
    const std::string nativeFolder = nativePath(folder.empty() ? std::string("\\") : folder);
    std::error_code ec;
    fs::directory_iterator it(nativeFolder, ec);
    if (ec) return entries;
    const bool wild = mask.find_first_of("*?") != std::string::npos;
    if (wild && fnmatch(mask.c_str(), ".", FNM_CASEFOLD) == 0) {
        entries.push_back({".", kAttrDirectory, 0});
        entries.push_back({"..", kAttrDirectory, 0});
    }
    std::vector<FindEntry> found;
    for (const auto& de : it) {
        const std::string name = de.path().filename().string();
        if (name.find(':') != std::string::npos) continue;  // the streams of a file
        const bool match = wild ? fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD) == 0 : foldCase(name) == foldCase(mask);
        if (!match) continue;
        struct stat st {};
        if (::stat(de.path().c_str(), &st) != 0) continue;
        found.push_back({name, attributesOf(de.path(), st), S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size)});
    }
    // NTFS lists a folder in name order; the simulation does the same, so runs are repeatable.
    std::sort(found.begin(), found.end(), [](const FindEntry& a, const FindEntry& b) { return foldCase(a.name) < foldCase(b.name); });
    entries.insert(entries.end(), found.begin(), found.end());
    return entries;
}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat st {};
    return ::stat(nativePath(path).c_str(), &st) == 0;
}

std::optional<std::uint32_t> PosixFileSystem::attributes(const std::string& path) {
    struct stat st {};
    const std::string native = nativePath(path);
    if (::stat(native.c_str(), &st) != 0) return std::nullopt;
    return attributesOf(native, st);
}

bool PosixFileSystem::deleteFile(const std::string& path, bool force) {
    const std::string native = nativePath(path);
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    if (!force && (st.st_mode & S_IWUSR) == 0) return false;  // DeleteFile refuses read-only files
    if (::unlink(native.c_str()) != 0) return false;
    dropStreams(native);
    return true;
}

RecycleResult PosixFileSystem::recycle(const std::string& path) {
    // SHFileOperation would delete a relative path for good, as it would an item the bin cannot keep.
    if (isRelative(path) || below(path, unrecyclableFolder)) return RecycleResult::NotRecyclable;
    const std::string native = nativePath(path);
    std::error_code ec;
    if (!fs::exists(native, ec)) return RecycleResult::Failed;
    const fs::path bin = recycleFolder();
    fs::create_directories(bin, ec);
    const std::string name = fs::path(native).filename().string();
    fs::path target = bin / name;
    for (int n = 2; fs::exists(target, ec); ++n) target = bin / (name + "." + std::to_string(n));
    fs::rename(native, target, ec);
    if (ec) return RecycleResult::Failed;
    moveStreams(native, target.string());
    return RecycleResult::Recycled;
}

bool PosixFileSystem::deletePermanently(const std::string& path) {
    const std::string native = nativePath(path);
    std::error_code ec;
    if (fs::remove_all(native, ec) == 0 || ec) return false;
    dropStreams(native);
    return true;
}

bool PosixFileSystem::createFolder(const std::string& path) { return ::mkdir(nativePath(path).c_str(), 0755) == 0; }

bool PosixFileSystem::replaceFile(const std::string& source, const std::string& target) {
    const std::string from = nativePath(source), to = nativePath(target);
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    moveStreams(from, to);
    return true;
}

bool PosixFileSystem::renameNoReplace(const std::string& source, const std::string& target) {
    const std::string from = nativePath(source), to = nativePath(target);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) return false;
        // A file system without the flag: a second hard link fails when the name exists, and is atomic.
        if (::link(from.c_str(), to.c_str()) != 0) return false;
        ::unlink(from.c_str());
    }
    moveStreams(from, to);
    return true;
}

StreamContent PosixFileSystem::readStream(const std::string& path, const std::string& name, std::size_t maxBytes) {
    const std::string native = nativePath(path);
    if (!isStreamName(name) || !isRegularFile(native)) return {};
    const int fd = ::open((streamFolder(native) + "/" + name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    PosixFile stream(fd);
    const auto size = stream.size();
    if (!size) return {};
    if (*size > maxBytes) return {StreamStatus::TooLarge, {}};
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    const auto got = stream.read(bytes.data(), bytes.size());
    if (!got || *got != bytes.size()) return {};
    return {StreamStatus::Read, std::move(bytes)};
}

bool PosixFileSystem::writeStream(const std::string& path, const std::string& name, std::string_view bytes) {
    const std::string native = nativePath(path);
    if (!isStreamName(name) || !isRegularFile(native)) return false;
    const std::string folder = streamFolder(native), stream = folder + "/" + name;
    if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
    const int fd = ::open(stream.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    PosixFile file(fd);
    const auto put = file.write(bytes.data(), bytes.size());
    if (put && *put == bytes.size() && file.close()) return true;
    ::unlink(stream.c_str());
    return false;
}

}  // namespace plenvik
