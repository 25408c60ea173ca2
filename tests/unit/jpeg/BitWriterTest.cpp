#include "jpeg/BitWriter.h"

#include <gtest/gtest.h>

#include <vector>

#include "unit/jpeg/SyntheticImages.h"

namespace plenvik {
namespace {

std::vector<std::uint8_t> written(const std::vector<std::pair<std::uint32_t, int>>& puts) {
    ByteBuffer buffer(4);  // small, so that the writer has to grow it
    BitWriter bits(buffer);
    for (auto [value, count] : puts) bits.put(value, count);
    bits.flush();
    return buffer.take();
}

using Bytes = std::vector<std::uint8_t>;

TEST(BitWriter, WritesMostSignificantBitFirstAndPadsWithOnes) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::uint32_t, int>> puts;
        Bytes expected;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"three bits, five padding ones", {{0b101, 3}}, {0xBF}},
        {"a whole byte needs no padding", {{0x5A, 8}}, {0x5A}},
        {"zero bits then one", {{0, 1}}, {0x7F}},
        {"across bytes", {{0x3, 2}, {0x0, 7}, {0x1, 1}}, {0xC0, 0x7F}},
        {"long codes", {{0x1ABCD, 17}, {0x7FFF, 15}}, {0xD5, 0xE6, 0xFF, 0x00, 0xFF, 0x00}},
        {"0xFF is followed by 0x00", {{0xFF, 8}, {0x12, 8}}, {0xFF, 0x00, 0x12}},
        {"padding that makes 0xFF is stuffed too", {{0x7F, 7}}, {0xFF, 0x00}},
        {"0xFF inside a full word", {{0x12FF34FF, 32}, {0xFF, 8}}, {0x12, 0xFF, 0x00, 0x34, 0xFF, 0x00, 0xFF, 0x00}},
    };
    for (const Case& c : cases) EXPECT_EQ(written(c.puts), c.expected) << c.name;
}

TEST(BitWriter, MatchesABitByBitWriterOnRandomInput) {
    testimages::Noise noise(11);
    std::vector<std::pair<std::uint32_t, int>> puts;
    std::vector<int> bitsOut;
    for (int i = 0; i < 5000; ++i) {
        const int count = (noise.next(16) + 16) % 28;  // 0 ... 27, the longest code with its magnitude
        // Mostly ones, so that many 0xFF bytes arise.
        std::uint32_t value = 0;
        for (int b = 0; b < count; ++b) value = value << 1 | (noise.next(4) != 0 ? 1u : 0u);
        puts.push_back({value, count});
        for (int b = count - 1; b >= 0; --b) bitsOut.push_back((value >> b) & 1);
    }
    while (bitsOut.size() % 8) bitsOut.push_back(1);
    Bytes expected;
    for (std::size_t i = 0; i < bitsOut.size(); i += 8) {
        int byte = 0;
        for (int b = 0; b < 8; ++b) byte = byte << 1 | bitsOut[i + b];
        expected.push_back(static_cast<std::uint8_t>(byte));
        if (byte == 0xFF) expected.push_back(0);
    }
    EXPECT_EQ(written(puts), expected);
}

}  // namespace
}  // namespace plenvik
