// The vector paths against the alphabet: every possible 3-byte group encoded and decoded, every
// character value at every place of a block taken or refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base64/Base64.h"
#include "base64/Base64Vector.h"

namespace plenvik {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

TEST(Base64VectorTest, EveryGroupEncodesToItsFourCharactersAndBack) {
    constexpr std::size_t kGroups = std::size_t{1} << 24;
    std::vector<std::uint8_t> in(kGroups * 3);
    for (std::size_t v = 0; v < kGroups; ++v) {
        in[3 * v] = static_cast<std::uint8_t>(v >> 16);
        in[3 * v + 1] = static_cast<std::uint8_t>(v >> 8);
        in[3 * v + 2] = static_cast<std::uint8_t>(v);
    }
    std::string out(kGroups * 4, '?');
    const std::size_t done = base64EncodeGroupsVector(in.data(), kGroups, out.data());
    if (done == 0) GTEST_SKIP() << "this processor has no vector path";
    // It stops early enough never to read past the input, and leaves the rest to the caller.
    EXPECT_LE(done * 3 + 16, kGroups * 3 + 12);
    EXPECT_GE(done, kGroups - 8);
    EXPECT_EQ(out[done * 4], '?');
    std::size_t wrong = 0;
    for (std::size_t v = 0; v < done && wrong < 5; ++v) {
        const char expected[4] = {kAlphabet[v >> 18], kAlphabet[(v >> 12) & 63], kAlphabet[(v >> 6) & 63], kAlphabet[v & 63]};
        if (out.compare(4 * v, 4, expected, 4) != 0) {
            ADD_FAILURE() << "group " << v << " gave " << out.substr(4 * v, 4);
            ++wrong;
        }
    }

    std::vector<std::uint8_t> back(done * 3 + 1, 0xEE);
    EXPECT_EQ(base64DecodeBlocksVector(out.data(), done * 4, back.data()), done * 4);
    EXPECT_EQ(back.back(), 0xEE) << "written past three bytes per four characters";
    back.pop_back();
    EXPECT_TRUE(std::equal(back.begin(), back.end(), in.begin())) << "the decoded groups differ from the encoded ones";
}

TEST(Base64VectorTest, ABlockIsTakenOnlyWhenEveryCharacterIsInItsSet) {
    const std::string alphabet = kAlphabet;
    const std::string text = alphabet + "= \t\r\n";
    for (int c = 0; c < 256; ++c) {
        const char character = static_cast<char>(c);
        const bool inAlphabet = alphabet.find(character) != std::string::npos;
        const bool inText = text.find(character) != std::string::npos;
        // Five blocks (more than one step of four); the character stands anywhere after the first.
        for (std::size_t at = 16; at < 80; ++at) {
            std::string chars;
            for (int i = 0; i < 5; ++i) chars += "QUJDREVGR0hJSktM";
            chars[at] = character;
            std::uint8_t out[61];
            out[60] = 0xEE;
            const std::size_t decoded = base64DecodeBlocksVector(chars.data(), chars.size(), out);
            if (decoded == 0) GTEST_SKIP() << "this processor has no vector path";
            const std::size_t expected = inAlphabet ? 80 : at / 16 * 16;
            ASSERT_EQ(decoded, expected) << "character " << c << " at " << at;
            ASSERT_EQ(base64TextBlocksVector(chars.data(), chars.size()), inText ? 80 : at / 16 * 16) << "character " << c << " at " << at;
            const std::vector<std::uint8_t> bytes = decodeBase64(std::string_view(chars).substr(0, expected));
            ASSERT_TRUE(std::equal(bytes.begin(), bytes.end(), out)) << "character " << c << " at " << at;
            ASSERT_EQ(out[60], 0xEE) << "written past the bytes";
        }
    }
}

TEST(Base64VectorTest, ShortInputsAreLeftToTheCaller) {
    const std::vector<std::uint8_t> in(17, 0xAB);
    std::string out(24, '?');
    // Five groups are 15 bytes: a 16-byte load would read past them.
    EXPECT_EQ(base64EncodeGroupsVector(in.data(), 5, out.data()), 0u);
    EXPECT_EQ(out, std::string(24, '?'));
}

}  // namespace
}  // namespace plenvik
