#include "base64/Base64.h"

#include "base64/Base64Vector.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace plenvik {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Two characters for every 12-bit value: one lookup writes half a group.
using PairTable = std::array<std::array<char, 2>, 4096>;
constexpr PairTable makePairTable() {
    PairTable t{};
    for (int v = 0; v < 4096; ++v) t[v] = {kAlphabet[v >> 6], kAlphabet[v & 63]};
    return t;
}
constexpr PairTable kPairs = makePairTable();

// The sextet of every character, -1 outside the alphabet.
using ValueTable = std::array<std::int8_t, 256>;
constexpr ValueTable makeValueTable() {
    ValueTable t{};
    for (auto& v : t) v = -1;
    for (int i = 0; i < 64; ++i) t[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    return t;
}
constexpr ValueTable kValues = makeValueTable();

// Per position in a group, the sextet already shifted into its place of the 24-bit group value, or a
// flag bit above those 24 bits for a character outside the alphabet. OR-ing the four lookups gives
// the group's three bytes, or the flag when one position is absent.
constexpr std::uint32_t kAbsentFlag = 0x80000000u;
using ShiftedTables = std::array<std::array<std::uint32_t, 256>, 4>;
constexpr ShiftedTables makeShiftedTables() {
    ShiftedTables t{};
    for (int pos = 0; pos < 4; ++pos)
        for (int c = 0; c < 256; ++c) t[pos][c] = kValues[c] < 0 ? kAbsentFlag : static_cast<std::uint32_t>(kValues[c]) << (18 - 6 * pos);
    return t;
}
constexpr ShiftedTables kShifted = makeShiftedTables();

inline void encodeGroup(const std::uint8_t* in, char* out) {
    const std::uint32_t v = static_cast<std::uint32_t>(in[0]) << 16 | static_cast<std::uint32_t>(in[1]) << 8 | in[2];
    std::memcpy(out, kPairs[v >> 12].data(), 2);
    std::memcpy(out + 2, kPairs[v & 0xFFF].data(), 2);
}

char* encodeFlat(const std::uint8_t* in, std::size_t count, char* out) {
    out = base64EncodeGroups(in, count / 3, out);
    return base64EncodeTail(in + count / 3 * 3, count % 3, out);
}

// A group with at least one absent sextet (a character outside the alphabet, or a position past the end
// of the text): byte k exists only when sextet k+1 is present, and an absent sextet in the sum counts as -1;
// each byte keeps the low 8 bits of its sum.
std::uint8_t* decodeGroupWithAbsent(const unsigned char* in, std::size_t available, std::uint8_t* out) {
    int d[4];
    for (std::size_t k = 0; k < 4; ++k) d[k] = k < available ? kValues[in[k]] : -1;
    if (d[1] >= 0) *out++ = static_cast<std::uint8_t>(d[0] * 4 + d[1] / 16);
    if (d[2] >= 0) *out++ = static_cast<std::uint8_t>(d[1] * 16 + d[2] / 4);
    if (d[3] >= 0) *out++ = static_cast<std::uint8_t>(d[2] * 64 + d[3]);
    return out;
}

// Decodes count characters from the start of a group: every full group, then a short trailing group.
std::uint8_t* decodeFlat(const char* text, std::size_t count, std::uint8_t* out) {
    const auto* in = reinterpret_cast<const unsigned char*>(text);
    const auto& t0 = kShifted[0];
    const auto& t1 = kShifted[1];
    const auto& t2 = kShifted[2];
    const auto& t3 = kShifted[3];
    for (std::size_t groups = count / 4; groups > 0; --groups, in += 4) {
        const std::uint32_t v = t0[in[0]] | t1[in[1]] | t2[in[2]] | t3[in[3]];
        if (v & kAbsentFlag) [[unlikely]] {
            out = decodeGroupWithAbsent(in, 4, out);
            continue;
        }
        out[0] = static_cast<std::uint8_t>(v >> 16);
        out[1] = static_cast<std::uint8_t>(v >> 8);
        out[2] = static_cast<std::uint8_t>(v);
        out += 3;
    }
    if (count % 4 != 0) out = decodeGroupWithAbsent(in, count % 4, out);
    return out;
}

constexpr std::size_t roundUp(std::size_t n, std::size_t group) { return (n + group - 1) / group * group; }

// Feeds the first count units of head followed by tail to consume(pointer, n) without copying tail: the
// groups that hold head's units are completed from tail in a small buffer. Every call but the last covers
// whole groups, so group positions are those of the joined text.
template <class Unit, class Consume>
void consumeJoined(std::span<const Unit> head, std::span<const Unit> tail, std::size_t count, std::size_t group, Consume&& consume) {
    if (head.empty()) {
        consume(tail.data(), count);
        return;
    }
    const std::size_t joinedLength = std::min(roundUp(head.size(), group), head.size() + tail.size());
    std::vector<Unit> joined(head.begin(), head.end());
    joined.insert(joined.end(), tail.begin(), tail.begin() + static_cast<std::ptrdiff_t>(joinedLength - head.size()));
    consume(joined.data(), std::min(joinedLength, count));
    if (count > joinedLength) consume(tail.data() + (joinedLength - head.size()), count - joinedLength);
}

// The units from position count on of head followed by tail.
template <class Result, class Unit>
Result suffixOfJoined(std::span<const Unit> head, std::span<const Unit> tail, std::size_t count) {
    Result rest;
    if (count < head.size()) {
        rest.assign(head.begin() + static_cast<std::ptrdiff_t>(count), head.end());
        rest.insert(rest.end(), tail.begin(), tail.end());
    } else {
        rest.assign(tail.begin() + static_cast<std::ptrdiff_t>(count - head.size()), tail.end());
    }
    return rest;
}

// Breaks text into lines of lineLength characters with CR LF, the first line continuing at column. A
// break is written only when more characters follow, so a full last line ends without one.
std::string wrapLines(const std::string& text, int lineLength, int& column) {
    const std::size_t length = static_cast<std::size_t>(lineLength);
    std::string lines;
    lines.reserve(text.size() + 2 * (text.size() / length + 1));
    std::size_t col = static_cast<std::size_t>(std::max(column, 0));
    for (std::size_t pos = 0; pos < text.size();) {
        if (col >= length) {
            lines += "\r\n";
            col = 0;
        }
        const std::size_t n = std::min(length - col, text.size() - pos);
        lines.append(text, pos, n);
        pos += n;
        col += n;
    }
    column = static_cast<int>(col);
    return lines;
}

std::span<const std::uint8_t> asBytes(std::string_view data) { return {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()}; }

}  // namespace

char* base64EncodeGroups(const std::uint8_t* in, std::size_t groups, char* out) {
    const std::size_t vectorGroups = base64EncodeGroupsVector(in, groups, out);
    in += vectorGroups * 3;
    out += vectorGroups * 4;
    groups -= vectorGroups;
    for (; groups >= 4; groups -= 4, in += 12, out += 16) {
        encodeGroup(in, out);
        encodeGroup(in + 3, out + 4);
        encodeGroup(in + 6, out + 8);
        encodeGroup(in + 9, out + 12);
    }
    for (; groups > 0; --groups, in += 3, out += 4) encodeGroup(in, out);
    return out;
}

char* base64EncodeTail(const std::uint8_t* in, std::size_t count, char* out) {
    if (count == 0) return out;
    const unsigned b1 = in[0];
    const unsigned b2 = count > 1 ? in[1] : 0;
    *out++ = kAlphabet[b1 >> 2];
    *out++ = kAlphabet[(b1 & 3) << 4 | b2 >> 4];
    if (count > 1) *out++ = kAlphabet[(b2 & 15) << 2];
    return out;
}

std::size_t base64DecodeGroups(const char* in, std::size_t groups, std::uint8_t* out) {
    const std::size_t vectorGroups = base64DecodeBlocksVector(in, groups * 4, out) / 4;
    const auto* text = reinterpret_cast<const unsigned char*>(in);
    std::size_t done = vectorGroups;
    for (text += done * 4, out += done * 3; done < groups; ++done, text += 4, out += 3) {
        const std::uint32_t v = kShifted[0][text[0]] | kShifted[1][text[1]] | kShifted[2][text[2]] | kShifted[3][text[3]];
        if (v & kAbsentFlag) break;
        out[0] = static_cast<std::uint8_t>(v >> 16);
        out[1] = static_cast<std::uint8_t>(v >> 8);
        out[2] = static_cast<std::uint8_t>(v);
    }
    return done;
}

std::string encodeBase64(std::span<const std::uint8_t> data, Base64EncodeState& state, bool final, bool pad, int lineLength) {
    const std::vector<std::uint8_t> head = std::move(state.remainder);
    state.remainder.clear();
    const std::span<const std::uint8_t> headBytes(head);
    const std::size_t total = head.size() + data.size();
    const std::size_t count = final ? total : total - total % 3;
    // Padding completes the last group of the whole text, so only a final call can need it; it counts
    // Base64 characters, never line breaks.
    const std::size_t padding = final && pad && count % 3 != 0 ? 3 - count % 3 : 0;

    std::string text(base64EncodedLength(count) + padding, '\0');
    char* out = text.data();
    consumeJoined(headBytes, data, count, 3, [&out](const std::uint8_t* in, std::size_t n) { out = encodeFlat(in, n, out); });
    std::fill_n(out, padding, '=');
    state.remainder = suffixOfJoined<std::vector<std::uint8_t>>(headBytes, data, count);

    if (lineLength < 1) return text;
    return wrapLines(text, lineLength, state.column);
}

std::string encodeBase64(std::string_view data, Base64EncodeState& state, bool final, bool pad, int lineLength) {
    return encodeBase64(asBytes(data), state, final, pad, lineLength);
}

std::string encodeBase64(std::span<const std::uint8_t> data) {
    std::string text(base64EncodedLength(data.size()), '\0');
    encodeFlat(data.data(), data.size(), text.data());
    return text;
}

std::string encodeBase64(std::string_view data) { return encodeBase64(asBytes(data)); }

std::vector<std::uint8_t> decodeBase64Chunk(std::string_view text, Base64DecodeState& state, bool final) {
    const std::string head = std::move(state.remainder);
    state.remainder.clear();
    const std::span<const char> headChars(head);
    const std::span<const char> textChars(text);
    const std::size_t total = head.size() + text.size();
    const std::size_t count = final ? total : total - total % 4;

    // At most three bytes per group of four characters; sized once and cut to what was decoded.
    std::vector<std::uint8_t> bytes(roundUp(count, 4) / 4 * 3);
    std::uint8_t* out = bytes.data();
    consumeJoined(headChars, textChars, count, 4, [&out](const char* in, std::size_t n) { out = decodeFlat(in, n, out); });
    bytes.resize(static_cast<std::size_t>(out - bytes.data()));
    state.remainder = suffixOfJoined<std::string>(headChars, textChars, count);
    return bytes;
}

std::vector<std::uint8_t> decodeBase64(std::string_view text) {
    std::vector<std::uint8_t> bytes(roundUp(text.size(), 4) / 4 * 3);
    const std::uint8_t* end = decodeFlat(text.data(), text.size(), bytes.data());
    bytes.resize(static_cast<std::size_t>(end - bytes.data()));
    return bytes;
}

std::string base64Char(std::int16_t sextet) {
    if (sextet < 0 || sextet > 63) return {};
    return std::string(1, kAlphabet[sextet]);
}

std::int16_t base64Value(std::string_view oneCharacter) {
    if (oneCharacter.size() != 1) return -1;
    return kValues[static_cast<unsigned char>(oneCharacter[0])];
}

}  // namespace plenvik
