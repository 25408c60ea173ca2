// decodeBase64Content piece by piece: the same rules (line breaks and blanks skipped, "=" only at the
// end and only as much as the last group lacks, any other character outside the alphabet is damage),
// for a text too large to hold at once. The bytes go into memory the caller provides.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace plenvik {

class Base64ContentDecoder {
public:
    // The most bytes feed() writes for a piece of count characters (up to three sextets may wait from
    // the pieces before); finish() writes at most two.
    static constexpr std::size_t maxBytes(std::size_t count) { return (count + 3) / 4 * 3; }

    // Decodes the next piece of the text into out, which has room for maxBytes(text.size()) bytes, and
    // returns how many bytes it wrote. Nothing when the text is damaged; the decoder then stays damaged
    // and what out received from this piece is of no use.
    std::optional<std::size_t> feed(std::string_view text, std::uint8_t* out);
    // Writes the bytes of the last, incomplete group (at most two) into out; called once, after the last
    // piece. Nothing when the text as a whole is damaged.
    std::optional<std::size_t> finish(std::uint8_t* out);

private:
    std::nullopt_t damage() {
        damaged_ = true;
        return std::nullopt;
    }

    std::uint32_t group_ = 0;     // the sextets of the group begun, the last one lowest
    std::size_t groupCount_ = 0;  // how many (0-3)
    std::size_t padding_ = 0;
    bool damaged_ = false;
};

}  // namespace plenvik
