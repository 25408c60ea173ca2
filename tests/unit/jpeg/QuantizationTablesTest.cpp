#include "jpeg/QuantizationTables.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "jpeg/JpegWriter.h"

namespace plenvik {
namespace {

// The zig-zag position of a row-major index, for looking up an entry of a base table.
int zigzagPositionOf(int natural) { return static_cast<int>(std::find(kZigzag.begin(), kZigzag.end(), natural) - kZigzag.begin()); }

TEST(QuantizationTables, RoundHalfEvenBreaksTiesToTheEvenNumber) {
    struct Case {
        long num, den, expected;
    };
    for (const Case c : {Case{5, 2, 2},
                         {7, 2, 4},
                         {1, 2, 0},
                         {3, 2, 2},
                         {850, 100, 8},
                         {750, 100, 8},
                         {550, 100, 6},
                         {690, 100, 7},
                         {651, 100, 7},
                         {649, 100, 6},
                         {0, 7, 0},
                         {10, 5, 2}})
        EXPECT_EQ(roundHalfEven(c.num, c.den), c.expected) << c.num << "/" << c.den;
}

TEST(QuantizationTables, QualityScale) {
    struct Case {
        int quality, scale;
    };
    // 16: 312.5 is a tie and goes to the even 312; 48: 104.17; 49: 102.04.
    for (const Case c : {Case{1, 5000}, {16, 312}, {48, 104}, {49, 102}, {50, 100}, {75, 50}, {80, 40}, {100, 0}})
        EXPECT_EQ(qualityScale(c.quality), c.scale) << "quality " << c.quality;
}

TEST(QuantizationTables, ScaledEntriesRoundHalfEvenAndStayWithinOneTo255) {
    struct Case {
        int quality, base, expected;
    };
    // Quality 75 (scale 50): 8.5 -> 8, 7.5 -> 8, 5.5 -> 6, 50.0 -> 50. Quality 80 (scale 40): 6.9 -> 7,
    // 40.1 -> 40, 4.5 -> 4.
    const Case cases[] = {{75, 16, 8}, {75, 14, 8}, {75, 10, 6}, {75, 99, 50}, {80, 16, 7}, {80, 99, 40}, {80, 10, 4}};
    for (const Case& c : cases) {
        const auto table = scaledQuantizationTable(kLuminanceBase, qualityScale(c.quality));
        const auto natural = static_cast<int>(std::find(kLuminanceBase.begin(), kLuminanceBase.end(), c.base) - kLuminanceBase.begin());
        EXPECT_EQ(table[zigzagPositionOf(natural)], c.expected) << "quality " << c.quality << " base " << c.base;
    }
    for (const auto& base : {kLuminanceBase, kChrominanceBase}) {
        const auto best = scaledQuantizationTable(base, qualityScale(100));  // R(0.5) = 0, raised to 1
        EXPECT_TRUE(std::all_of(best.begin(), best.end(), [](auto v) { return v == 1; }));
        const auto worst = scaledQuantizationTable(base, qualityScale(1));
        EXPECT_TRUE(std::all_of(worst.begin(), worst.end(), [](auto v) { return v == 255; }));
    }
}

TEST(QuantizationTables, TablesAreStoredInZigzagOrder) {
    const int expectedStart[] = {0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5};
    for (int k = 0; k < 16; ++k) EXPECT_EQ(kZigzag[k], expectedStart[k]) << k;
    EXPECT_EQ(kZigzag[62], 62);
    EXPECT_EQ(kZigzag[63], 63);
    auto sorted = kZigzag;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 64; ++i) EXPECT_EQ(sorted[i], i);

    // Quality 50 (scale 100) gives R(base + 0.5): the luminance table read in zig-zag order is
    // 16 11 12 14 12 10 ... -> 16 12 12 14 12 10 ..., ending with 99 -> 100.
    const auto table = scaledQuantizationTable(kLuminanceBase, qualityScale(50));
    const int expected[] = {16, 12, 12, 14, 12, 10};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(table[k], expected[k]) << k;
    EXPECT_EQ(table[63], 100);
}

TEST(QuantizationTables, QualityOutsideOneTo100IsIgnored) {
    JpegWriter jpg;
    EXPECT_EQ(jpg.Quality(), 75);
    EXPECT_EQ(jpg.QuantizationTableOf(0)[0], 8);  // base 16 at scale 50
    jpg.Quality(80);
    const auto luminance = jpg.QuantizationTableOf(0), chrominance = jpg.QuantizationTableOf(1);
    EXPECT_EQ(luminance[0], 7);
    for (int rejected : {0, 101, -5}) {
        jpg.Quality(rejected);
        EXPECT_EQ(jpg.Quality(), 80);
        EXPECT_EQ(jpg.QuantizationTableOf(0), luminance);
        EXPECT_EQ(jpg.QuantizationTableOf(1), chrominance);
    }
    jpg.Quality(100);
    EXPECT_EQ(jpg.QuantizationTableOf(1)[63], 1);
}

}  // namespace
}  // namespace plenvik
