// Base64 with the standard alphabet ("A"-"Z", "a"-"z", "0"-"9", "+", "/"), as the project file embeds
// file contents and the monitor picture. The program itself writes one line without "=" padding; the
// decoders accept text with or without padding.
//
// The decoders count groups of four strictly by position from the first character: a line break, an "="
// or any other character outside the alphabet is not skipped but makes its position an absent sextet.
// Such a character inside the text therefore garbles the bytes from its group on; project files never
// hold one, because their Base64 is written on one line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plenvik {

// What a chunked encodeBase64 carries from one call to the next. The caller owns it; a fresh state
// starts a new text.
struct Base64EncodeState {
    // The last one or two bytes of a chunk that a call with final false could not encode yet. The next
    // call encodes them in front of its data (the caller does not put them there itself).
    std::vector<std::uint8_t> remainder;
    // Characters on the current output line; only used and updated when a line length is given.
    int column = 0;
};

// What a chunked decodeBase64Chunk carries from one call to the next.
struct Base64DecodeState {
    // The characters of an incomplete trailing group (at most three) that a call with final false left
    // undecoded. The next call decodes them in front of its text.
    std::string remainder;
};

// Encodes state.remainder followed by data. With final false only complete groups of three bytes are
// encoded and the rest (0-2 bytes) becomes the new remainder; with final true everything is encoded and
// a trailing group of one byte gives two characters, one of two bytes three. pad appends "=" to a
// multiple of four characters on the final call. lineLength > 0 breaks lines with CR LF after that
// many characters, continuing from state.column; lineLength < 1 writes one line and leaves the column.
std::string encodeBase64(std::span<const std::uint8_t> data, Base64EncodeState& state, bool final, bool pad, int lineLength);
std::string encodeBase64(std::string_view data, Base64EncodeState& state, bool final, bool pad, int lineLength);

// The program's own form: all of data in one call, one line, no padding.
std::string encodeBase64(std::span<const std::uint8_t> data);
std::string encodeBase64(std::string_view data);

// Decodes state.remainder followed by text. With final true every group is decoded, including a trailing
// group of fewer than four characters; with final false the trailing (length mod 4) characters are kept
// as the new remainder.
std::vector<std::uint8_t> decodeBase64Chunk(std::string_view text, Base64DecodeState& state, bool final);

// Decodes the whole text (the rule of decodeBase64Chunk with final true).
std::vector<std::uint8_t> decodeBase64(std::string_view text);

// The alphabet character at position sextet (0-63); the empty text for any other value.
std::string base64Char(std::int16_t sextet);

// The position of the character in the alphabet (0-63), case-sensitive; -1 for the empty text, a
// character outside the alphabet, or a text of more than one character.
std::int16_t base64Value(std::string_view oneCharacter);

// Building blocks for encoders that write into memory of their own (Base64StreamEncoder).
// Characters for count bytes without padding and line breaks: 4 per full group, 2 or 3 for a tail.
constexpr std::size_t base64EncodedLength(std::size_t count) { return count / 3 * 4 + (count % 3 == 0 ? 0 : count % 3 + 1); }
// Encodes groups * 3 bytes into groups * 4 characters; returns the end of the written characters.
char* base64EncodeGroups(const std::uint8_t* in, std::size_t groups, char* out);
// Encodes a trailing one or two bytes into two or three characters (no padding); returns the end.
char* base64EncodeTail(const std::uint8_t* in, std::size_t count, char* out);
// Decodes the leading groups of four alphabet characters of the groups * 4 characters at in, three
// bytes each, and stops before the first group that holds any other character; returns how many groups
// it decoded. The bulk of a strict decoder, which looks at the rest itself.
std::size_t base64DecodeGroups(const char* in, std::size_t groups, std::uint8_t* out);

}  // namespace plenvik
