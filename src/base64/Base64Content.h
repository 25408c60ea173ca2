// The embedded content of a re-created icon, decoded strictly: the project file is data from outside,
// and content that is not Base64 must be refused rather than written as garbage.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace plenvik {

// The bytes of a Base64 text. Line breaks, blanks and tabs anywhere are skipped (the encoder's line mode
// writes them); up to two "=" may close the text. Nothing when any other character appears, when "="
// stands anywhere else, or when the characters cannot make whole bytes (one left over in the last group).
std::optional<std::vector<std::uint8_t>> decodeBase64Content(std::string_view text);

}  // namespace plenvik
