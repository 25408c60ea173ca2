// FileBuffer: reads a whole file into bytes and writes bytes to a file through the platform's file handles.
// Every operation answers with a result record instead of raising an error.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace plenvik {

// Result codes of the file operations; callers treat everything but kFileOk as failure.
inline constexpr std::int32_t kFileOk = 5, kFilePlatformFailed = 2, kFileNotOpen = 16, kFileFailed = 0;

// Open modes of open.
inline constexpr std::int32_t kFileModePathOnly = 0, kFileModeRead = 1, kFileModeRecreate = 2, kFileModeWrite = 4,
                              kFileModeReadInfoSize = 16, kFileModeReadInfoSize2 = 17;

struct FileResult {
    std::int32_t code = kFileFailed;
    std::string message;

    bool ok() const { return code == kFileOk; }
};

class FileBuffer {
public:
    explicit FileBuffer(FileSystem& files);
    ~FileBuffer();  // closes the file
    FileBuffer(const FileBuffer&) = delete;
    FileBuffer& operator=(const FileBuffer&) = delete;

    // Stores the path; mode 0 opens nothing, any other mode opens through openHandle.
    FileResult open(const std::string& path, std::int32_t mode, std::int32_t attributes);
    FileResult openHandle(std::int32_t mode, std::int32_t attributes);
    // Reads FileSize bytes into Bytes; an empty file reads as one zero byte.
    FileResult read();
    // Writes count bytes of Bytes from index start; start and count come back as written.
    FileResult write(std::int32_t& start, std::int32_t& count);
    FileResult readSizeFromHandle();
    FileResult close();

    // The byte count of the file or of the data; -1 = unknown. Files of 2 GiB and more count as
    // 2^31 - 1 bytes: larger than any limit the program sets.
    std::int32_t FileSize() const { return size_; }
    std::vector<std::uint8_t> Bytes() const { return data_; }
    void setBytes(std::vector<std::uint8_t> data);

    bool isOpen() const { return handle_ != nullptr; }
    const std::string& path() const { return path_; }
    std::int32_t writeAttributes() const { return writeAttributes_; }

private:
    FileResult notOpen() const;
    void takeSize(std::uint64_t bytes);

    FileSystem& files_;
    std::string path_;
    std::unique_ptr<FileHandle> handle_;
    std::int32_t size_ = -1;
    bool sizeBeyondRange_ = false;  // the open file is 2 GiB or larger
    std::vector<std::uint8_t> data_;
    std::int32_t writeAttributes_ = -1;
};

}  // namespace plenvik
