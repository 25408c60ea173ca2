#include "base64/Base64Vector.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define PLENVIK_BASE64_SSSE3 1
#endif

#include <array>
#include <cstring>
#include <string_view>

namespace plenvik {

#ifdef PLENVIK_BASE64_SSSE3
namespace {

// Twelve input bytes (of the sixteen loaded) to sixteen characters: the bytes of each group are spread
// over one 32-bit lane, the four sextets moved into the low six bits of the lane's bytes by two
// multiplications, and each sextet turned into its character by adding the offset of its range
// (A-Z, a-z, 0-9, +, /), which one table lookup selects.
__attribute__((target("ssse3"))) inline __m128i encodeTwelve(__m128i in) {
    in = _mm_shuffle_epi8(in, _mm_set_epi8(10, 11, 9, 10, 7, 8, 6, 7, 4, 5, 3, 4, 1, 2, 0, 1));
    const __m128i high = _mm_mulhi_epu16(_mm_and_si128(in, _mm_set1_epi32(0x0FC0FC00)), _mm_set1_epi32(0x04000040));
    const __m128i low = _mm_mullo_epi16(_mm_and_si128(in, _mm_set1_epi32(0x003F03F0)), _mm_set1_epi32(0x01000010));
    const __m128i sextets = _mm_or_si128(high, low);
    // Range number: 0 for a-z, 1..10 for 0-9, 11 for '+', 12 for '/', 13 for A-Z.
    __m128i range = _mm_subs_epu8(sextets, _mm_set1_epi8(51));
    const __m128i upper = _mm_cmpgt_epi8(_mm_set1_epi8(26), sextets);
    range = _mm_or_si128(range, _mm_and_si128(upper, _mm_set1_epi8(13)));
    const __m128i offsets = _mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                                          '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
    return _mm_add_epi8(sextets, _mm_shuffle_epi8(offsets, range));
}

__attribute__((target("ssse3"))) std::size_t encodeSsse3(const std::uint8_t* in, std::size_t groups, char* out) {
    // Each step reads 16 bytes and uses 12, so it runs while at least 16 remain.
    std::size_t done = 0;
    for (; groups - done >= 6; done += 4, in += 12, out += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), encodeTwelve(bytes));
    }
    return done;
}

// A set of characters below 0x80 as two tables of 16 bytes, for a membership test of 16 characters at
// once: bit h of byLow[l] says that the character 16 * h + l is in the set, and byHigh[h] is bit h
// (0 for h of 8 and more, so that no character from 0x80 up is in the set). A character is in the set
// when byLow[its low nibble] & byHigh[its high nibble] is not zero.
struct NibbleSet {
    std::array<std::uint8_t, 16> byLow{}, byHigh{};
};

constexpr NibbleSet makeNibbleSet(std::string_view members, std::string_view moreMembers = {}) {
    NibbleSet set;
    for (const std::string_view part : {members, moreMembers})
        for (const char c : part) set.byLow[static_cast<unsigned char>(c) & 15] |= static_cast<std::uint8_t>(1u << (c >> 4));
    for (int h = 0; h < 8; ++h) set.byHigh[h] = static_cast<std::uint8_t>(1u << h);
    return set;
}

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr NibbleSet kAlphabetSet = makeNibbleSet(kAlphabet);
constexpr NibbleSet kTextSet = makeNibbleSet(kAlphabet, "= \t\r\n");

__attribute__((target("ssse3"))) inline __m128i load(const std::array<std::uint8_t, 16>& table) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(table.data()));
}

// The high nibble of every character (0-15).
__attribute__((target("ssse3"))) inline __m128i highNibbles(__m128i chars) {
    return _mm_and_si128(_mm_srli_epi16(chars, 4), _mm_set1_epi8(0x0F));
}

// A bit per character that is not in the set (bit i for character i).
__attribute__((target("ssse3"))) inline int outsideMask(__m128i chars, __m128i high, __m128i byLow, __m128i byHigh) {
    const __m128i low = _mm_and_si128(chars, _mm_set1_epi8(0x0F));
    const __m128i hits = _mm_and_si128(_mm_shuffle_epi8(byLow, low), _mm_shuffle_epi8(byHigh, high));
    return _mm_movemask_epi8(_mm_cmpeq_epi8(hits, _mm_setzero_si128()));
}

// Sixteen alphabet characters to twelve bytes, in the low twelve bytes of the result (the rest zero).
// Each character becomes its sextet by adding the offset of its range, which its high nibble selects
// ("/" shares the high nibble of "+" and gets a place of its own one below); the sextets are then
// joined in pairs, the pairs into 24-bit groups, and the three bytes of each group are gathered to the
// front in order.
__attribute__((target("ssse3"))) inline __m128i decodeSixteen(__m128i chars, __m128i high) {
    const __m128i offsets = _mm_setr_epi8(0, 63 - '/', 62 - '+', 52 - '0', 0 - 'A', 0 - 'A', 26 - 'a', 26 - 'a', 0, 0, 0, 0, 0, 0, 0, 0);
    const __m128i index = _mm_add_epi8(high, _mm_cmpeq_epi8(chars, _mm_set1_epi8('/')));
    const __m128i sextets = _mm_add_epi8(chars, _mm_shuffle_epi8(offsets, index));
    const __m128i pairs = _mm_maddubs_epi16(sextets, _mm_set1_epi32(0x01400140));
    const __m128i groups = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00011000));
    return _mm_shuffle_epi8(groups, _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
}

// Writes the twelve bytes of decodeSixteen's result and nothing past them.
__attribute__((target("ssse3"))) inline void storeTwelve(__m128i bytes, std::uint8_t* out) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes);
    const std::uint32_t last = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(bytes, 8)));
    std::memcpy(out + 8, &last, 4);
}

__attribute__((target("ssse3"))) std::size_t decodeSsse3(const char* text, std::size_t count, std::uint8_t* out) {
    const __m128i byLow = load(kAlphabetSet.byLow), byHigh = load(kAlphabetSet.byHigh);
    const auto at = [text](std::size_t offset) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + offset)); };
    std::size_t done = 0;
    // Four blocks a step, checked together; the first three are stored whole, each one's four zero
    // bytes overwritten by the next block's bytes.
    for (; count - done >= 64; done += 64, out += 48) {
        const __m128i c0 = at(done), c1 = at(done + 16), c2 = at(done + 32), c3 = at(done + 48);
        const __m128i h0 = highNibbles(c0), h1 = highNibbles(c1), h2 = highNibbles(c2), h3 = highNibbles(c3);
        if ((outsideMask(c0, h0, byLow, byHigh) | outsideMask(c1, h1, byLow, byHigh) | outsideMask(c2, h2, byLow, byHigh) |
             outsideMask(c3, h3, byLow, byHigh)) != 0)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), decodeSixteen(c0, h0));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 12), decodeSixteen(c1, h1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 24), decodeSixteen(c2, h2));
        storeTwelve(decodeSixteen(c3, h3), out + 36);
    }
    for (; count - done >= 16; done += 16, out += 12) {
        const __m128i chars = at(done);
        const __m128i high = highNibbles(chars);
        if (outsideMask(chars, high, byLow, byHigh) != 0) break;
        storeTwelve(decodeSixteen(chars, high), out);
    }
    return done;
}

__attribute__((target("ssse3"))) std::size_t textSsse3(const char* text, std::size_t count) {
    const __m128i byLow = load(kTextSet.byLow), byHigh = load(kTextSet.byHigh);
    std::size_t done = 0;
    for (; count - done >= 16; done += 16) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + done));
        if (outsideMask(chars, highNibbles(chars), byLow, byHigh) != 0) break;
    }
    return done;
}

bool hasSsse3() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3") != 0;
    }();
    return has;
}

}  // namespace

std::size_t base64EncodeGroupsVector(const std::uint8_t* in, std::size_t groups, char* out) {
    if (groups < 6 || !hasSsse3()) return 0;
    return encodeSsse3(in, groups, out);
}

std::size_t base64DecodeBlocksVector(const char* text, std::size_t count, std::uint8_t* out) {
    if (count < 16 || !hasSsse3()) return 0;
    return decodeSsse3(text, count, out);
}

std::size_t base64TextBlocksVector(const char* text, std::size_t count) {
    if (count < 16 || !hasSsse3()) return 0;
    return textSsse3(text, count);
}
#else
std::size_t base64EncodeGroupsVector(const std::uint8_t*, std::size_t, char*) { return 0; }
std::size_t base64DecodeBlocksVector(const char*, std::size_t, std::uint8_t*) { return 0; }
std::size_t base64TextBlocksVector(const char*, std::size_t) { return 0; }
#endif

}  // namespace plenvik
