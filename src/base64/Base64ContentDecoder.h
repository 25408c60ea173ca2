// decodeBase64Content piece by piece: the same rules (line breaks and blanks skipped, "=" only at the
// end and only as much as the last group lacks, any other character outside the alphabet is damage),
// for a text too large to hold at once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base64/Base64.h"

namespace plenvik {

class Base64ContentDecoder {
public:
    // Appends the bytes of the complete groups so far to out. False when the text is damaged; the
    // decoder then stays damaged.
    bool feed(std::string_view text, std::vector<std::uint8_t>& out);
    // Appends the last bytes to out. False when the text as a whole is damaged.
    bool finish(std::vector<std::uint8_t>& out);

private:
    Base64DecodeState state_;
    std::string sextets_;
    std::uint64_t count_ = 0;  // alphabet characters in all
    std::size_t padding_ = 0;
    bool damaged_ = false;
};

}  // namespace plenvik
