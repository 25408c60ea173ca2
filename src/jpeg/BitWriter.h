// Writes the entropy-coded data: bits most significant first, a 0x00 byte after every 0xFF byte (so
// that no marker appears inside the data), and the last byte padded with 1-bits.
#pragma once

#include <cstdint>

#include "jpeg/ByteBuffer.h"

namespace plenvik {

class BitWriter {
public:
    explicit BitWriter(ByteBuffer& out) : out_(out) {}

    // Appends the count low bits of bits (count 0 ... 32; the bits above count must be zero).
    void put(std::uint32_t bits, int count) {
        pending_ = (pending_ << count) | bits;
        pendingCount_ += count;
        if (pendingCount_ >= 32) emitWord();
    }

    // Pads the last byte with 1-bits and writes everything still held.
    void flush();

private:
    // Writes the oldest 32 of the pending bits.
    void emitWord();

    ByteBuffer& out_;
    // The last pendingCount_ bits written are the low bits of pending_; the bits above them are stale.
    std::uint64_t pending_ = 0;
    int pendingCount_ = 0;
};

}  // namespace plenvik
