#include "jpeg/QuantizationTables.h"

#include <algorithm>

namespace plenvik {
namespace {

// Walks the anti-diagonals of the 8x8 block, alternating direction, starting up-right from (0, 0).
constexpr std::array<std::uint8_t, 64> makeZigzag() {
    std::array<std::uint8_t, 64> order{};
    int row = 0, col = 0;
    for (int k = 0; k < 64; ++k) {
        order[k] = static_cast<std::uint8_t>(row * 8 + col);
        const bool upRight = (row + col) % 2 == 0;
        if (upRight) {
            if (col == 7)
                ++row;
            else if (row == 0)
                ++col;
            else {
                --row;
                ++col;
            }
        } else {
            if (row == 7)
                ++col;
            else if (col == 0)
                ++row;
            else {
                ++row;
                --col;
            }
        }
    }
    return order;
}

}  // namespace

const std::array<std::uint8_t, 64> kZigzag = makeZigzag();

const std::array<std::uint8_t, 64> kLuminanceBase = {16, 11, 10, 16, 24,  40,  51,  61,   //
                                                     12, 12, 14, 19, 26,  58,  60,  55,   //
                                                     14, 13, 16, 24, 40,  57,  69,  56,   //
                                                     14, 17, 22, 29, 51,  87,  80,  62,   //
                                                     18, 22, 37, 56, 68,  109, 103, 77,   //
                                                     24, 35, 55, 64, 81,  104, 113, 92,   //
                                                     49, 64, 78, 87, 103, 121, 120, 101,  //
                                                     72, 92, 95, 98, 112, 100, 103, 99};

const std::array<std::uint8_t, 64> kChrominanceBase = {17, 18, 24, 47, 99, 99, 99, 99,  //
                                                       18, 21, 26, 66, 99, 99, 99, 99,  //
                                                       24, 26, 56, 99, 99, 99, 99, 99,  //
                                                       47, 66, 99, 99, 99, 99, 99, 99,  //
                                                       99, 99, 99, 99, 99, 99, 99, 99,  //
                                                       99, 99, 99, 99, 99, 99, 99, 99,  //
                                                       99, 99, 99, 99, 99, 99, 99, 99,  //
                                                       99, 99, 99, 99, 99, 99, 99, 99};

long roundHalfEven(long numerator, long denominator) {
    long quotient = numerator / denominator;
    const long twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0)) ++quotient;
    return quotient;
}

int qualityScale(int quality) { return quality < 50 ? static_cast<int>(roundHalfEven(5000, quality)) : 200 - 2 * quality; }

QuantizationTable scaledQuantizationTable(const std::array<std::uint8_t, 64>& base, int scale) {
    QuantizationTable table{};
    for (int k = 0; k < 64; ++k) {
        const long value = roundHalfEven(static_cast<long>(base[kZigzag[k]]) * scale + 50, 100);
        table[k] = static_cast<std::uint16_t>(std::clamp(value, 1L, 255L));
    }
    return table;
}

}  // namespace plenvik
