#include "project/ByteSink.h"

#include <cstring>

#include "errors/RuntimeError.h"
#include "platform/FileSystem.h"

namespace plenvik {

FileHandleSink::FileHandleSink(FileHandle& file, std::size_t bufferSize) : file_(file), buffer_(bufferSize == 0 ? 1 : bufferSize) {}

void FileHandleSink::write(std::string_view bytes) {
    if (bytes.size() >= buffer_.size()) {
        flush();
        writeThrough(bytes.data(), bytes.size());
        return;
    }
    if (used_ + bytes.size() > buffer_.size()) flush();
    std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

void FileHandleSink::flush() {
    if (used_ == 0) return;
    const std::size_t count = used_;
    used_ = 0;
    writeThrough(buffer_.data(), count);
}

void FileHandleSink::writeThrough(const char* data, std::size_t count) { written_ += writeAll(file_, data, count); }

std::uint64_t writeAll(FileHandle& file, const char* data, std::size_t count) {
    const std::size_t total = count;
    while (count > 0) {
        const auto done = file.write(data, count);
        if (!done || *done == 0) throwIncompleteWrite();
        data += *done;
        count -= *done;
    }
    return total;
}

// 57: the system's number for a device input/output error; a write that stores nothing is one.
void throwIncompleteWrite() { throw RuntimeError(57, std::string(kAppTitle), "Die Datei konnte nicht vollständig geschrieben werden."); }

}  // namespace plenvik
