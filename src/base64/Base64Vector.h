// The bulk of Base64 coding with 128-bit vector instructions where the processor has them (SSSE3): the
// save spends most of its own time encoding the embedded files, the restore decoding them and the
// project list finding where their texts end.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plenvik {

// Encodes as many of the groups (3 bytes -> 4 characters) as the vector path takes and returns how many
// it encoded; the caller encodes the rest. 0 where the processor lacks the instructions. Never reads
// past in + 3 * groups.
std::size_t base64EncodeGroupsVector(const std::uint8_t* in, std::size_t groups, char* out);

// Decodes the leading blocks of 16 characters (12 bytes each) of the count characters at text while a
// block holds alphabet characters only, and returns how many characters it decoded (a multiple of 16);
// the caller decodes from there, starting with the block that holds another character. 0 where the
// processor lacks the instructions. Writes exactly 3 bytes per 4 characters decoded.
std::size_t base64DecodeBlocksVector(const char* text, std::size_t count, std::uint8_t* out);

// Skips the leading blocks of 16 characters of the count characters at text while a block holds only
// characters that may stand in a Base64 text of a project file (the alphabet, "=", blank, tab, CR, LF),
// and returns how many characters it skipped (a multiple of 16). 0 where the processor lacks the
// instructions.
std::size_t base64TextBlocksVector(const char* text, std::size_t count);

}  // namespace plenvik
