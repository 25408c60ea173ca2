#include "jpeg/ForwardDct.h"

#include <gtest/gtest.h>

#include <cmath>

#include "unit/jpeg/SyntheticImages.h"
#include "jpeg/Quantizer.h"

namespace plenvik {
namespace {

// F(u, v) = 1/4 C(u) C(v) sum f(x, y) cos((2x + 1) u pi / 16) cos((2y + 1) v pi / 16), by definition.
double referenceDct(const float samples[64], int u, int v) {
    const double pi = 3.14159265358979323846;
    double sum = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) sum += samples[y * 8 + x] * std::cos((2 * x + 1) * u * pi / 16) * std::cos((2 * y + 1) * v * pi / 16);
    const double cu = u == 0 ? 1 / std::sqrt(2.0) : 1, cv = v == 0 ? 1 / std::sqrt(2.0) : 1;
    return 0.25 * cu * cv * sum;
}

TEST(ForwardDct, ScaledOutputsAreTheTrueCoefficients) {
    testimages::Noise noise(7);
    for (int trial = 0; trial < 20; ++trial) {
        float samples[64], block[64];
        for (int i = 0; i < 64; ++i) samples[i] = block[i] = static_cast<float>(noise.next(128));
        forwardDct(block);
        for (int v = 0; v < 8; ++v)      // row index: vertical frequency
            for (int u = 0; u < 8; ++u)  // column index: horizontal frequency
                EXPECT_NEAR(block[v * 8 + u] * dctScale(u) * dctScale(v), referenceDct(samples, u, v), 2e-3) << "u " << u << " v " << v;
    }
}

TEST(ForwardDct, ScaleFactors) {
    const double expected[] = {0.353553, 0.254898, 0.270598, 0.300672, 0.353553, 0.449988, 0.653281, 1.281458};
    for (int k = 0; k < 8; ++k) EXPECT_NEAR(dctScale(k), expected[k], 1e-6) << k;
}

TEST(Quantizer, RoundsToTheNearestStepAndListsNonZeroCoefficients) {
    QuantizationTable table;
    table.fill(10);
    table[2] = 4;  // zig-zag position 2: row 1, column 0
    const Quantizer quantizer(table);

    // A flat block of 100: DC = 8 * 100 = 800, / 10 = 80; nothing else.
    float block[64];
    std::fill(block, block + 64, 100.0f);
    forwardDct(block);
    std::int16_t out[64];
    EXPECT_EQ(quantizer.quantize(block, out), 1u);
    EXPECT_EQ(out[0], 80);

    // Top half bright, bottom half dark: the first vertical frequency, as the definition gives it.
    float samples[64];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) samples[y * 8 + x] = block[y * 8 + x] = y < 4 ? 50.0f : -50.0f;
    forwardDct(block);
    const std::uint64_t mask = quantizer.quantize(block, out);
    const double f10 = referenceDct(samples, 0, 1);
    EXPECT_EQ(out[2], static_cast<int>(std::lround(f10 / 4)));
    EXPECT_TRUE(mask & (1u << 2));
    EXPECT_EQ(out[0], 0);
    EXPECT_FALSE(mask & 1u);
    for (int k = 0; k < 64; ++k) EXPECT_EQ(out[k] != 0, ((mask >> k) & 1) != 0) << k;

    // Extremes stay within the baseline ranges.
    table.fill(1);
    const Quantizer finest(table);
    std::fill(block, block + 64, -128.0f);
    forwardDct(block);
    finest.quantize(block, out);
    EXPECT_EQ(out[0], -1024);
}

}  // namespace
}  // namespace plenvik
