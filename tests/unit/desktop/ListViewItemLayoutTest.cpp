// The item block in the target's layout and the 16-bit packing of positions.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "desktop/ListViewItemLayout.h"

namespace plenvik {
namespace {

std::uint32_t get32(const std::vector<std::uint8_t>& b, std::size_t offset) {
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + offset, 4);  // the test runs on little-endian machines only, like Windows
    return v;
}

TEST(ListViewItemLayoutTest, BlocksHaveTheLayoutOfTheTargetsBitness) {
    const ListViewItemLayout l32 = listViewItemLayout(false);
    EXPECT_EQ(l32.size, 60u);
    EXPECT_EQ(l32.textOffset, 20u);
    EXPECT_EQ(l32.textMaxOffset, 24u);
    const ListViewItemLayout l64 = listViewItemLayout(true);
    EXPECT_EQ(l64.size, 88u);
    EXPECT_EQ(l64.textOffset, 24u);
    EXPECT_EQ(l64.textMaxOffset, 32u);
}

TEST(ListViewItemLayoutTest, TargetBitnessFollowsFromWow64) {
    const struct {
        bool we64, weWow, targetWow, target64;
    } cases[] = {
        {true, false, false, true},    // 64-bit Plenvik, 64-bit Explorer
        {true, false, true, false},    // 64-bit Plenvik, 32-bit Explorer under WOW64
        {false, true, false, true},    // 32-bit Plenvik on a 64-bit system, 64-bit Explorer
        {false, true, true, false},    // both 32-bit on a 64-bit system
        {false, false, false, false},  // a 32-bit system
    };
    for (const auto& c : cases) EXPECT_EQ(targetIs64Bit(c.we64, c.weWow, c.targetWow), c.target64);
}

TEST(ListViewItemLayoutTest, TextRequestCarriesIndexBufferAndCapacityAndNothingElse) {
    const std::uint64_t address64 = 0x00007FF612345678ull;
    const auto b64 = listViewTextRequest(listViewItemLayout(true), 7, address64, 1024);
    ASSERT_EQ(b64.size(), 88u);
    EXPECT_EQ(get32(b64, 0), 1u);  // LVIF_TEXT
    EXPECT_EQ(get32(b64, 4), 7u);
    EXPECT_EQ(get32(b64, 8), 0u);  // sub-item 0
    std::uint64_t text = 0;
    std::memcpy(&text, b64.data() + 24, 8);
    EXPECT_EQ(text, address64);
    EXPECT_EQ(get32(b64, 32), 1024u);
    for (std::size_t i = 36; i < 88; ++i) EXPECT_EQ(b64[i], 0) << "byte " << i;
    for (std::size_t i = 12; i < 24; ++i) EXPECT_EQ(b64[i], 0) << "byte " << i;

    const auto b32 = listViewTextRequest(listViewItemLayout(false), 3, 0x01230000u, 120);
    ASSERT_EQ(b32.size(), 60u);
    EXPECT_EQ(get32(b32, 0), 1u);
    EXPECT_EQ(get32(b32, 4), 3u);
    EXPECT_EQ(get32(b32, 20), 0x01230000u);
    EXPECT_EQ(get32(b32, 24), 120u);
    for (std::size_t i = 28; i < 60; ++i) EXPECT_EQ(b32[i], 0) << "byte " << i;
}

TEST(ListViewItemLayoutTest, PositionsPackAsTwoSigned16BitHalves) {
    const struct {
        int x, y;
        std::optional<std::uint32_t> packed;
    } cases[] = {
        {0, 0, 0u},
        {100, 200, 0x00C80064u},
        {-40, 50, 0x0032FFD8u},  // a sum x + y * 65536 would give (-40, 49)
        {50, -40, 0xFFD80032u},
        {32767, -32768, 0x80007FFFu},
        {32768, 0, std::nullopt},
        {0, 40000, std::nullopt},
        {-32769, 5, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(packPosition16(c.x, c.y), c.packed) << c.x << "," << c.y;
        if (c.packed) {
            EXPECT_EQ(unpackPosition16(*c.packed), (IconPosition{c.x, c.y}));
        }
    }
}

}  // namespace
}  // namespace plenvik
