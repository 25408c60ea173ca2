#include "base64/Base64Content.h"

#include "base64/Base64ContentDecoder.h"

namespace plenvik {

std::optional<std::vector<std::uint8_t>> decodeBase64Content(std::string_view text) {
    std::vector<std::uint8_t> bytes(Base64ContentDecoder::maxBytes(text.size()));
    Base64ContentDecoder decoder;
    const std::optional<std::size_t> body = decoder.feed(text, bytes.data());
    if (!body) return std::nullopt;
    const std::optional<std::size_t> tail = decoder.finish(bytes.data() + *body);
    if (!tail) return std::nullopt;
    bytes.resize(*body + *tail);
    return bytes;
}

}  // namespace plenvik
