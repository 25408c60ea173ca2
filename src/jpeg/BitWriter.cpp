#include "jpeg/BitWriter.h"

namespace plenvik {
namespace {

// True when one of the four bytes of word is 0xFF (the classic has-zero-byte test on the complement).
inline bool hasFfByte(std::uint32_t word) {
    const std::uint32_t inverted = ~word;
    return ((inverted - 0x01010101u) & ~inverted & 0x80808080u) != 0;
}

}  // namespace

void BitWriter::emitWord() {
    pendingCount_ -= 32;
    const auto word = static_cast<std::uint32_t>(pending_ >> pendingCount_);
    std::uint8_t* p = out_.room(8);
    if (!hasFfByte(word)) {
        p[0] = static_cast<std::uint8_t>(word >> 24);
        p[1] = static_cast<std::uint8_t>(word >> 16);
        p[2] = static_cast<std::uint8_t>(word >> 8);
        p[3] = static_cast<std::uint8_t>(word);
        out_.commit(4);
        return;
    }
    std::size_t n = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto byte = static_cast<std::uint8_t>(word >> shift);
        p[n++] = byte;
        if (byte == 0xFF) p[n++] = 0x00;
    }
    out_.commit(n);
}

void BitWriter::flush() {
    const int padding = (8 - pendingCount_ % 8) % 8;
    pending_ = (pending_ << padding) | ((1u << padding) - 1u);
    pendingCount_ += padding;
    while (pendingCount_ > 0) {
        pendingCount_ -= 8;
        const auto byte = static_cast<std::uint8_t>(pending_ >> pendingCount_);
        out_.put8(byte);
        if (byte == 0xFF) out_.put8(0x00);
    }
    pending_ = 0;
}

}  // namespace plenvik
