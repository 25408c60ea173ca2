// What the real backends cannot show cheaply: files of 2 GiB and more, and files that shrink between
// opening and reading.
#include <gtest/gtest.h>

#include <cstring>

#include "system/FileBuffer.h"

namespace plenvik {
namespace {

class FakeHandle : public FileHandle {
public:
    FakeHandle(std::uint64_t size, std::size_t readable) : size_(size), readable_(readable) {}
    std::optional<std::uint64_t> size() override { return size_; }
    std::optional<std::uint64_t> sizeFromInformation() override { return size_; }
    std::optional<std::uint64_t> lastWriteTime() override { return std::nullopt; }
    std::optional<std::size_t> read(void* buffer, std::size_t count) override {
        const std::size_t n = std::min(count, readable_);
        std::memset(buffer, 0xAB, n);
        return n;
    }
    std::optional<std::size_t> write(const void*, std::size_t count) override { return count; }
    bool flush() override { return true; }
    bool seekToEnd() override { return true; }
    bool close() override { return true; }

private:
    std::uint64_t size_;
    std::size_t readable_;
};

class FakeFiles : public FileSystem {
public:
    std::uint64_t size = 0;
    std::size_t readable = 0;
    std::unique_ptr<FileHandle> open(const FileOpenRequest&, unsigned long*) override {
        return std::make_unique<FakeHandle>(size, readable);
    }
    std::vector<FindEntry> find(const std::string&) override { return {}; }
    bool exists(const std::string&) override { return true; }
    std::optional<std::uint32_t> attributes(const std::string&) override { return kAttrNormal; }
    bool deleteFile(const std::string&, bool) override { return true; }
    std::string fullPath(const std::string& path) override { return path; }
    RecycleResult recycle(const std::string&) override { return RecycleResult::Recycled; }
    bool deletePermanently(const std::string&) override { return true; }
    bool createFolder(const std::string&) override { return true; }
    bool replaceFile(const std::string&, const std::string&) override { return true; }
    bool renameNoReplace(const std::string&, const std::string&) override { return true; }
    StreamContent readStream(const std::string&, const std::string&, std::size_t) override { return {}; }
    bool writeStream(const std::string&, const std::string&, std::string_view) override { return false; }
};

TEST(FileBufferTest, FilesOf2GiBAndMoreCountAsLargerThanAnyLimitAndAreNotRead) {
    for (std::uint64_t size : {0x80000000ull, 0xFFFFFFFFull, 0x100000001ull}) {
        FakeFiles files;
        files.size = size;
        FileBuffer file(files);
        ASSERT_EQ(file.open("C:\\gross.iso", kFileModeRead, 128).code, kFileOk);
        EXPECT_EQ(file.FileSize(), 0x7FFFFFFF) << size;  // never negative or wrapped to a small size
        const FileResult r = file.read();
        EXPECT_EQ(r.code, kFileFailed);
        EXPECT_NE(r.message.find("C:\\gross.iso"), std::string::npos);
    }
}

TEST(FileBufferTest, AFileThatShrankReadsAsWhatItStillHolds) {
    FakeFiles files;
    files.size = 100;
    files.readable = 40;
    FileBuffer file(files);
    ASSERT_EQ(file.open("C:\\log.txt", kFileModeRead, 128).code, kFileOk);
    ASSERT_EQ(file.read().code, kFileOk);
    EXPECT_EQ(file.Bytes(), std::vector<std::uint8_t>(40, 0xAB));
}

}  // namespace
}  // namespace plenvik
