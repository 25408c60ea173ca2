// Quantises the output of forwardDct: each coefficient times the DCT's scale factors, divided by its
// table entry, rounded to the nearest integer (a half upwards), put into zig-zag order.
#pragma once

#include <array>
#include <cstdint>

#include "jpeg/QuantizationTables.h"

namespace plenvik {

class Quantizer {
public:
    // table in zig-zag order, as written to the file.
    explicit Quantizer(const QuantizationTable& table);

    // Writes the coefficients in zig-zag order and returns the mask of the non-zero ones: bit k set
    // when zigzag[k] != 0. DC lies in -1024 ... 1023 and AC in -1023 ... 1023, the ranges baseline
    // Huffman coding covers.
    std::uint64_t quantize(const float dct[64], std::int16_t zigzag[64]) const;

private:
    // Row-major: dctScale(u) * dctScale(v) / entry.
    std::array<float, 64> multipliers_{};
};

}  // namespace plenvik
