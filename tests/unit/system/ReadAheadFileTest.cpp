#include "system/ReadAheadFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

#include "platform/FileSystem.h"

namespace plenvik {
namespace {

constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

// A handle over a text whose reads fail from failAt on and return at most shortReads bytes each.
class TextHandle : public FileHandle {
public:
    explicit TextHandle(std::string text, std::size_t failAt = kNever, std::size_t shortReads = kNever)
        : text_(std::move(text)), failAt_(failAt), shortReads_(shortReads) {}
    std::optional<std::uint64_t> size() override { return text_.size(); }
    std::optional<std::uint64_t> sizeFromInformation() override { return text_.size(); }
    std::optional<std::uint64_t> lastWriteTime() override { return std::nullopt; }
    std::optional<std::size_t> read(void* buffer, std::size_t count) override {
        if (pos_ >= failAt_) return std::nullopt;
        const std::size_t n = std::min({count, text_.size() - pos_, failAt_ - pos_, shortReads_});
        text_.copy(static_cast<char*>(buffer), n, pos_);
        pos_ += n;
        return n;
    }
    std::optional<std::size_t> write(const void*, std::size_t) override { return std::nullopt; }
    bool flush() override { return false; }
    bool seekToEnd() override { return false; }
    bool close() override { return true; }

private:
    std::string text_;
    std::size_t failAt_, shortReads_, pos_ = 0;
};

std::string someText(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    return text;
}

// Everything the reader gives in reads of count; failed tells whether it ended in a failure.
std::string takeAll(ReadAheadFile& file, std::size_t count, bool& failed) {
    std::string taken;
    failed = false;
    for (;;) {
        const auto bytes = file.read(count);
        if (!bytes) {
            failed = true;
            return taken;
        }
        if (bytes->empty()) return taken;
        EXPECT_LE(bytes->size(), count);
        taken += *bytes;
    }
}

TEST(ReadAheadFileTest, GivesExactlyTheBytesUpToTheLimitInAnyPiecesAndReads) {
    const std::string text = someText(1000);
    for (const std::uint64_t limit : {std::uint64_t{0}, std::uint64_t{5}, std::uint64_t{999}, std::uint64_t{1000}, std::uint64_t{5000}})
        for (const std::size_t pieceSize : {7u, 64u, 4096u})
            for (const std::size_t count : {1u, 3u, 100u})
                for (const std::size_t shortReads : {kNever, std::size_t{5}}) {
                    SCOPED_TRACE(::testing::Message() << limit << " " << pieceSize << " " << count << " " << shortReads);
                    TextHandle handle(text, kNever, shortReads);
                    ReadAheadFile file(handle, limit, pieceSize, 3);
                    bool failed = true;
                    EXPECT_EQ(takeAll(file, count, failed), text.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(limit, 1000))));
                    EXPECT_FALSE(failed);
                }
}

TEST(ReadAheadFileTest, AFailedReadComesAfterTheBytesReadBeforeItAndStoppingEarlyEnds) {
    const std::string text = someText(1000);
    for (const std::size_t pieceSize : {64u, 4096u}) {  // read ahead, and all at once
        TextHandle handle(text, 500);
        ReadAheadFile file(handle, 1000, pieceSize);
        bool failed = false;
        EXPECT_EQ(takeAll(file, 10, failed), text.substr(0, 500));
        EXPECT_TRUE(failed) << pieceSize;
    }
    // Left after one read with the reader waiting for a free piece: the destructor stops it.
    TextHandle handle(text);
    ReadAheadFile file(handle, 1000, 8, 2);
    EXPECT_EQ(file.read(3), std::optional<std::string_view>(std::string_view(text).substr(0, 3)));
}

}  // namespace
}  // namespace plenvik
