#include "system/FileBuffer.h"

#include <algorithm>
#include <exception>
#include <limits>

namespace plenvik {
namespace {

// Attribute bits a new file must not ask for: encrypted, compressed, directory, system.
constexpr std::uint32_t kAttrNotForWriting = kAttrEncrypted | kAttrCompressed | kAttrDirectory | kAttrSystem;
constexpr std::int32_t kMaxSize = std::numeric_limits<std::int32_t>::max();

FileResult result(std::int32_t code, std::string message = {}) { return FileResult{code, std::move(message)}; }

}  // namespace

FileBuffer::FileBuffer(FileSystem& files) : files_(files) {}

FileBuffer::~FileBuffer() { close(); }

FileResult FileBuffer::notOpen() const {
    return result(kFileNotOpen, "Fehler, Datei '" + path_ +
                                    "' ist nicht ge\xC3\xB6"
                                    "ffnet!");
}

void FileBuffer::takeSize(std::uint64_t bytes) {
    sizeBeyondRange_ = bytes > static_cast<std::uint64_t>(kMaxSize);
    size_ = sizeBeyondRange_ ? kMaxSize : static_cast<std::int32_t>(bytes);
}

void FileBuffer::setBytes(std::vector<std::uint8_t> data) {
    data_ = std::move(data);
    sizeBeyondRange_ = false;
    size_ = static_cast<std::int32_t>(std::min<std::size_t>(data_.size(), static_cast<std::size_t>(kMaxSize)));
}

FileResult FileBuffer::open(const std::string& path, std::int32_t mode, std::int32_t attributes) {
    // A new path never keeps the handle of the previous one, or reads and writes would reach the old file.
    if (isOpen()) {
        FileResult closed = close();
        if (!closed.ok()) return closed;
    }
    path_ = path;
    if (mode == kFileModePathOnly) return result(kFileOk);
    return openHandle(mode, attributes);
}

FileResult FileBuffer::openHandle(std::int32_t mode, std::int32_t attributes) {
    try {
        if (isOpen()) {
            FileResult closed = close();
            if (!closed.ok()) return closed;
        }
        FileOpenRequest request;
        request.path = path_;
        switch (mode) {
        case kFileModeRead:
        case kFileModeReadInfoSize:
        case kFileModeReadInfoSize2:
            request.access = kGenericRead;
            request.share = kShareRead;
            request.creation = kOpenExisting;
            request.attributes = kAttrNormal;
            break;
        case kFileModeRecreate:
            // A file that cannot be deleted is not opened either: writing over it in place would leave
            // its old tail behind the new content.
            if (files_.exists(path_) && !files_.deleteFile(path_, true)) return result(kFilePlatformFailed);
            [[fallthrough]];
        case kFileModeWrite:
            request.access = kGenericWrite;
            request.share = kShareNone;
            request.creation = kOpenAlways;
            request.attributes = static_cast<std::uint32_t>(attributes) & ~kAttrNotForWriting;
            writeAttributes_ = attributes;
            break;
        default: return result(kFilePlatformFailed);
        }

        handle_ = files_.open(request);
        if (!handle_) return result(kFilePlatformFailed);

        switch (mode) {
        case kFileModeRead:
        case kFileModeWrite: {
            const auto bytes = handle_->size();
            if (!bytes) return result(kFilePlatformFailed);
            takeSize(*bytes);
            return result(kFileOk);
        }
        case kFileModeReadInfoSize:
        case kFileModeReadInfoSize2:
            // The size belongs to the file just opened, not to whatever this object held before.
            size_ = -1;
            return readSizeFromHandle();
        default: return result(kFileOk);
        }
    } catch (const std::exception&) {
        return result(kFileFailed);
    }
}

FileResult FileBuffer::read() {
    if (!isOpen()) return result(kFileFailed);
    try {
        if (size_ <= 0) {
            // An empty file reads as one zero byte: the project file has no way to store nothing.
            data_.assign(1, 0);
            return result(kFileOk);
        }
        if (sizeBeyondRange_) {
            return result(kFileFailed, "Fehler, Datei '" + path_ + "' ist zu gro\xC3\x9F zum Lesen (2 GB oder mehr)!");
        }
        data_.assign(static_cast<std::size_t>(size_), 0);
        const auto got = handle_->read(data_.data(), data_.size());
        if (!got) return result(kFilePlatformFailed);
        // A file that shrank since it was opened gives what it still holds, never trailing zeros.
        data_.resize(*got);
        return result(kFileOk);
    } catch (const std::exception&) {
        return result(kFileFailed);
    }
}

FileResult FileBuffer::write(std::int32_t& start, std::int32_t& count) {
    if (!isOpen()) return notOpen();
    if (size_ <= 0) return result(kFileOk);
    try {
        // The data may be shorter than the size taken from an opened file; never read past it.
        const std::int64_t available = std::min<std::int64_t>(size_, static_cast<std::int64_t>(data_.size()));
        if (start < 0 || count < 0 || start > available) return result(kFileFailed);
        if (static_cast<std::int64_t>(start) + count > available) count = static_cast<std::int32_t>(available - start);
        if (count == 0) return result(kFileOk);
        const auto put = handle_->write(data_.data() + start, static_cast<std::size_t>(count));
        if (!put) return result(kFileFailed);
        start += static_cast<std::int32_t>(*put);
        return result(kFileOk);
    } catch (const std::exception&) {
        return result(kFileFailed);
    }
}

FileResult FileBuffer::readSizeFromHandle() {
    if (!isOpen()) return notOpen();
    const auto bytes = handle_->sizeFromInformation();
    if (!bytes) return result(kFilePlatformFailed);
    if (size_ == -1) takeSize(*bytes);
    return result(kFileOk);
}

FileResult FileBuffer::close() {
    if (!isOpen()) return result(kFileOk);
    const bool closed = handle_->close();
    handle_.reset();
    return result(closed ? kFileOk : kFileFailed);
}

}  // namespace plenvik
