#include "jpeg/ByteBuffer.h"

#include <algorithm>
#include <cstring>

namespace plenvik {

void ByteBuffer::put(std::string_view bytes) {
    if (bytes.empty()) return;
    std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
    size_ += bytes.size();
}

void ByteBuffer::grow(std::size_t count) { bytes_.resize(std::max(size_ + count, bytes_.size() + bytes_.size() / 2 + 4096)); }

std::vector<std::uint8_t> ByteBuffer::take() {
    bytes_.resize(size_);
    bytes_.shrink_to_fit();
    size_ = 0;
    return std::move(bytes_);
}

}  // namespace plenvik
