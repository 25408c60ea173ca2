// The sink that writes on a second thread: order and completeness across many buffers, and a failing
// file reported to the producer instead of being lost on the other thread.
#include <gtest/gtest.h>

#include <string>

#include "errors/RuntimeError.h"
#include "project/BackgroundFileSink.h"
#include "RecordingFile.h"

namespace plenvik {
namespace {

std::string numberedText(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; text.size() < count; ++i) text += std::to_string(i) + ',';
    text.resize(count);
    return text;
}

TEST(BackgroundFileSinkTest, EveryByteArrivesInOrderAcrossBuffersAndShortWrites) {
    const std::string text = numberedText(200000);
    RecordingFile file;
    file.chunk = 333;  // short writes must be continued
    {
        BackgroundFileSink sink(file, 1000, 2);
        // Pieces smaller than, equal to and larger than a buffer.
        std::size_t at = 0;
        for (std::size_t piece : {1u, 999u, 1000u, 1001u, 4567u, 7u}) {
            sink.write(std::string_view(text).substr(at, piece));
            at += piece;
        }
        sink.write(std::string_view(text).substr(at));
        sink.flush();
        EXPECT_EQ(sink.written(), text.size());
        EXPECT_EQ(file.bytes.size(), text.size());
        // A flush with nothing new, then more bytes after a flush.
        sink.flush();
        sink.write("end");
        sink.flush();
    }
    EXPECT_EQ(file.bytes, text + "end");
}

TEST(BackgroundFileSinkTest, AFailingFileIsReportedToTheWriterAndStopsTheWrites) {
    RecordingFile file;
    file.failAt = 2500;
    BackgroundFileSink sink(file, 1000, 3);
    const std::string text = numberedText(100000);
    try {
        sink.write(text);
        sink.flush();
        FAIL() << "a failing write must not be reported as success";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 57);
    }
    const std::size_t calls = file.calls;
    EXPECT_THROW(sink.write("more"), RuntimeError);
    EXPECT_THROW(sink.flush(), RuntimeError);
    EXPECT_EQ(file.calls, calls);
    EXPECT_EQ(file.bytes, text.substr(0, 2500));
}

TEST(BackgroundFileSinkTest, AFailedFlushBehindTheWritesIsReportedToTheWriter) {
    RecordingFile file;
    file.failingFlush = true;
    BackgroundFileSink sink(file);
    sink.write(std::string(FlushBehind::kStep + 1, 'x'));
    EXPECT_THROW(sink.flush(), RuntimeError) << "the bytes may not be on the disk";
}

TEST(BackgroundFileSinkTest, UnflushedBytesAreDroppedWhenTheSinkGoesAway) {
    RecordingFile file;
    {
        BackgroundFileSink sink(file, 1000, 2);
        sink.write(std::string(500, 'x'));
    }
    EXPECT_EQ(file.calls, 0u);
    EXPECT_TRUE(file.bytes.empty());
}

}  // namespace
}  // namespace plenvik
