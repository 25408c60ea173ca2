// The quantisation tables: the base tables for luminance and chrominance, the zig-zag order in which
// tables and coefficients are written, and the scaling of the base tables by the quality setting.
#pragma once

#include <array>
#include <cstdint>

namespace plenvik {

using QuantizationTable = std::array<std::uint16_t, 64>;

// kZigzag[k] is the row-major index (row * 8 + column) of the k-th coefficient in zig-zag order.
extern const std::array<std::uint8_t, 64> kZigzag;

// The example tables of T.81 Annex K (K.1 luminance, K.2 chrominance), row-major.
extern const std::array<std::uint8_t, 64> kLuminanceBase;
extern const std::array<std::uint8_t, 64> kChrominanceBase;

// numerator / denominator rounded to the nearest integer, a tie to the even one (5/2 -> 2, 7/2 -> 4).
// Both arguments positive (the numerator may be 0).
long roundHalfEven(long numerator, long denominator);

// The percentage by which the base tables are scaled: round(5000 / quality) below 50, else
// 200 - 2 * quality. quality must lie in 1 ... 100.
int qualityScale(int quality);

// A base table scaled by a percentage, each entry round((base * scale + 50) / 100) limited to 1 ... 255,
// in zig-zag order.
QuantizationTable scaledQuantizationTable(const std::array<std::uint8_t, 64>& base, int scale);

}  // namespace plenvik
