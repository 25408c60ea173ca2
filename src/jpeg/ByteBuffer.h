// The growing byte array the encoded file is written into. It is allocated once from an estimate of the
// file size and grows if the estimate falls short, so no image is ever refused for its size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace plenvik {

class ByteBuffer {
public:
    explicit ByteBuffer(std::size_t expectedSize = 0) { bytes_.resize(expectedSize); }

    void put8(std::uint8_t value) {
        *room(1) = value;
        ++size_;
    }
    void put16(std::uint16_t value) {  // most significant byte first, as every JPEG field
        std::uint8_t* p = room(2);
        p[0] = static_cast<std::uint8_t>(value >> 8);
        p[1] = static_cast<std::uint8_t>(value);
        size_ += 2;
    }
    void put(std::string_view bytes);

    // A pointer to at least count writable bytes after the end; commit() what was written.
    std::uint8_t* room(std::size_t count) {
        if (bytes_.size() - size_ < count) grow(count);
        return bytes_.data() + size_;
    }
    void commit(std::size_t count) { size_ += count; }

    std::size_t size() const { return size_; }
    const std::uint8_t* data() const { return bytes_.data(); }
    // The written bytes; the buffer is empty afterwards.
    std::vector<std::uint8_t> take();

private:
    void grow(std::size_t count);

    std::vector<std::uint8_t> bytes_;
    std::size_t size_ = 0;
};

}  // namespace plenvik
