#include "jpeg/Quantizer.h"

#include "jpeg/ForwardDct.h"

namespace plenvik {
namespace {

constexpr int kMaxAc = 1023;
// A DC value in -1024 ... 1023 keeps every difference between neighbours within 11 bits.
constexpr int kMinDc = -1024, kMaxDc = 1023;
// Adding a large offset makes truncation round towards minus infinity for every value in range.
constexpr float kRoundingOffset = 16384.5f;
constexpr int kOffset = 16384;

}  // namespace

Quantizer::Quantizer(const QuantizationTable& table) {
    for (int k = 0; k < 64; ++k) {
        const int natural = kZigzag[k];
        multipliers_[natural] = static_cast<float>(dctScale(natural / 8) * dctScale(natural % 8) / table[k]);
    }
}

std::uint64_t Quantizer::quantize(const float dct[64], std::int16_t zigzag[64]) const {
    // Row-major first, in a form the compiler turns into vector instructions.
    int natural[64];
    for (int i = 0; i < 64; ++i) {
        int value = static_cast<int>(dct[i] * multipliers_[i] + kRoundingOffset) - kOffset;
        value = value < -kMaxAc ? -kMaxAc : value;
        natural[i] = value > kMaxAc ? kMaxAc : value;
    }
    int dc = static_cast<int>(dct[0] * multipliers_[0] + kRoundingOffset) - kOffset;
    dc = dc < kMinDc ? kMinDc : dc > kMaxDc ? kMaxDc : dc;
    natural[0] = dc;

    std::uint64_t mask = 0;
    for (int k = 0; k < 64; ++k) {
        const int value = natural[kZigzag[k]];
        zigzag[k] = static_cast<std::int16_t>(value);
        mask |= static_cast<std::uint64_t>(value != 0) << k;
    }
    return mask;
}

}  // namespace plenvik
