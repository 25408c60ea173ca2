// The vector path of the encoder against the alphabet, for every possible 3-byte group.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base64/Base64Vector.h"

namespace plenvik {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

TEST(Base64VectorTest, EveryGroupEncodesToItsFourCharacters) {
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
