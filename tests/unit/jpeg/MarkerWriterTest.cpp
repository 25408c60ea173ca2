#include "jpeg/MarkerWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "jpeg/JpegError.h"

namespace plenvik {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <class Action>
void expectError(Action action, const char* description) {
    try {
        action();
        ADD_FAILURE() << "no error, expected " << description;
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 1);
        EXPECT_EQ(e.description(), description);
    }
}

TEST(MarkerWriter, JfifHeaderAndComment) {
    ByteBuffer out;
    MarkerWriter markers(out);
    markers.startOfImage();
    markers.jfifHeader();
    markers.comment("Hi");
    const Bytes expected = {0xFF, 0xD8,                                                       // SOI
                            0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F', 0x00, 0x01, 0x01,  // APP0, version 1.01
                            0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00,                         // no unit, 1 x 1, no thumbnail
                            0xFF, 0xFE, 0x00, 0x04, 'H',  'i'};                               // COM
    EXPECT_EQ(out.take(), expected);
}

TEST(MarkerWriter, CommentMustFitItsSegment) {
    ByteBuffer out;
    MarkerWriter markers(out);
    markers.comment(std::string(kMaxCommentBytes, 'x'));
    EXPECT_EQ(out.size(), 2 + 2 + kMaxCommentBytes);
    EXPECT_EQ(out.data()[2], 0xFF);  // length 65535
    EXPECT_EQ(out.data()[3], 0xFF);
    expectError([&] { markers.comment(std::string(kMaxCommentBytes + 1, 'x')); }, kIllegalCommentLength);
}

TEST(MarkerWriter, QuantizationTablesMustFitEightBitsAndExistBeforeTheFrame) {
    ByteBuffer out;
    MarkerWriter markers(out);
    QuantizationTable table;
    table.fill(255);
    table[10] = 256;
    expectError([&] { markers.quantizationTable(0, table); }, kIllegalQuantizationPrecision);
    table[10] = 0;
    expectError([&] { markers.quantizationTable(0, table); }, kBadQuantizationTable);
    EXPECT_EQ(out.size(), 0u);  // nothing of a refused segment is written

    table[10] = 1;
    markers.quantizationTable(0, table);
    EXPECT_EQ(out.size(), 2 + 2 + 1 + 64);
    // A colour frame needs table 1 as well.
    FrameLayout colour = makeFrameLayout(16, 16, {1, 1, 1, 1, 1, 1});
    expectError([&] { markers.startOfFrame(colour); }, kBadQuantizationTable);
    FrameLayout grey = makeFrameLayout(16, 16, {1, 1, 0, 0, 0, 0});
    EXPECT_NO_THROW(markers.startOfFrame(grey));
    markers.quantizationTable(1, table);
    EXPECT_NO_THROW(markers.startOfFrame(colour));
}

TEST(MarkerWriter, FrameAndScanHeaders) {
    ByteBuffer out;
    MarkerWriter markers(out);
    QuantizationTable table;
    table.fill(1);
    markers.quantizationTable(0, table);
    markers.quantizationTable(1, table);
    const std::size_t start = out.size();
    const FrameLayout layout = makeFrameLayout(300, 2, {2, 1, 1, 1, 1, 1});
    markers.startOfFrame(layout);
    markers.startOfScan(layout);
    const Bytes bytes(out.data() + start, out.data() + out.size());
    const Bytes expected = {0xFF, 0xC0, 0x00, 17, 8,    0x00, 0x02, 0x01, 0x2C, 3,  // 8-bit, 2 high, 300 wide
                            1,    0x21, 0,    2,  0x11, 1,    3,    0x11, 1,        // Y 2x1 table 0, Cb and Cr 1x1 table 1
                            0xFF, 0xDA, 0x00, 12, 3,    1,    0x00, 2,    0x11, 3, 0x11, 0, 63, 0};
    EXPECT_EQ(bytes, expected);
}

TEST(MarkerWriter, HuffmanTableSegment) {
    ByteBuffer out;
    MarkerWriter markers(out);
    HuffmanSpec table;
    table.counts[0] = 1;
    table.counts[1] = 1;
    table.symbols = {0x00, 0xF0};
    markers.huffmanTable(1, 1, table);
    Bytes expected = {0xFF, 0xC4, 0x00, 2 + 1 + 16 + 2, 0x11, 1, 1};
    expected.resize(expected.size() + 14, 0);
    expected.push_back(0x00);
    expected.push_back(0xF0);
    EXPECT_EQ(out.take(), expected);
    table.counts[1] = 2;
    table.symbols.push_back(0x01);
    expectError([&] { markers.huffmanTable(1, 0, table); }, kBadHuffmanTable);
}

}  // namespace
}  // namespace plenvik
