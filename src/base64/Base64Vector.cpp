#include "base64/Base64Vector.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define PLENVIK_BASE64_SSSE3 1
#endif

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
#else
std::size_t base64EncodeGroupsVector(const std::uint8_t*, std::size_t, char*) { return 0; }
#endif

}  // namespace plenvik
