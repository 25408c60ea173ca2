// The bulk of Base64 encoding with 128-bit vector instructions where the processor has them (SSSE3):
// the save spends most of its own time encoding the embedded files.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plenvik {

// Encodes as many of the groups (3 bytes -> 4 characters) as the vector path takes and returns how many
// it encoded; the caller encodes the rest. 0 where the processor lacks the instructions. Never reads
// past in + 3 * groups.
std::size_t base64EncodeGroupsVector(const std::uint8_t* in, std::size_t groups, char* out);

}  // namespace plenvik
