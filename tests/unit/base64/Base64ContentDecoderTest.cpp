// The piecewise decoder follows decodeBase64Content's rules wherever the text is cut, and its bulk paths
// (whole groups, vector blocks) agree with a character-by-character model of those rules.
#include "base64/Base64ContentDecoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "base64/Base64.h"
#include "base64/Base64Content.h"

namespace plenvik {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Pieces of the given sizes in turn (the last size repeats), each decoded into a buffer of exactly
// maxBytes that is checked for writes past what feed() reports.
std::optional<Bytes> decodeInPieces(std::string_view text, const std::vector<std::size_t>& sizes) {
    Base64ContentDecoder decoder;
    Bytes out;
    std::size_t next = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view piece = text.substr(at, sizes[std::min(next++, sizes.size() - 1)]);
        at += piece.size();
        Bytes buffer(Base64ContentDecoder::maxBytes(piece.size()) + 1, 0xEE);
        const auto n = decoder.feed(piece, buffer.data());
        if (!n) return std::nullopt;
        EXPECT_LE(*n, buffer.size() - 1);
        EXPECT_EQ(buffer.back(), 0xEE) << "written past maxBytes";
        out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(*n));
    }
    std::uint8_t last[2];
    const auto n = decoder.finish(last);
    if (!n) return std::nullopt;
    out.insert(out.end(), last, last + *n);
    return out;
}

// The rules one character at a time, with the one-character operations of the codec.
std::optional<Bytes> modelDecode(std::string_view text) {
    std::string sextets;
    std::size_t padding = 0;
    for (const char c : text) {
        if (c == '\r' || c == '\n' || c == ' ' || c == '\t') continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        if (base64Value(std::string_view(&c, 1)) < 0 || padding > 0) return std::nullopt;
        sextets += c;
    }
    const std::size_t tail = sextets.size() % 4;
    if (tail == 1 || (padding > 0 && (tail == 0 || tail + padding != 4))) return std::nullopt;
    Bytes bytes;
    for (std::size_t i = 0; i < sextets.size(); i += 4) {
        std::uint32_t group = 0;
        const std::size_t n = std::min<std::size_t>(4, sextets.size() - i);
        for (std::size_t k = 0; k < 4; ++k)
            group = group << 6 | static_cast<std::uint32_t>(k < n ? base64Value(sextets.substr(i + k, 1)) : 0);
        for (std::size_t k = 0; k + 1 < n; ++k) bytes.push_back(static_cast<std::uint8_t>(group >> (16 - 8 * k)));
    }
    return bytes;
}

TEST(Base64ContentDecoderTest, AgreesWithTheWholeTextDecoderForEveryCut) {
    for (const std::string_view text : {"", "QUJDREVG", "QUJD\r\nREVG", " QUJ\tD REVG\n", "QUI", "QUI=", "QQ=\r\n=", "QQ", "QUJD*REVG",
                                        "QQ==QUJD", "QUJDR", "Q", "QUI==", "=QUI", "QUJD====", "QUJDREV\xC3\xA4"}) {
        for (std::size_t piece = 1; piece <= 5; ++piece)
            EXPECT_EQ(decodeInPieces(text, {piece}), decodeBase64Content(text)) << text << " in pieces of " << piece;
    }
}

TEST(Base64ContentDecoderTest, LongRandomTextsDecodeLikeTheModelInRandomPieces) {
    // Long runs of the alphabet (the vector and group paths) broken by line breaks, blanks, padding and
    // characters outside the alphabet at random places, now and then none at all.
    std::mt19937 rng(20260806);
    const auto below = [&rng](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const std::string others = std::string("\r\n \t====-_.*<>@\x80\xFF") + std::string(1, '\0');
    int damaged = 0;
    for (int round = 0; round < 2000; ++round) {
        const std::size_t size = below(4) == 0 ? below(3000) : below(200);
        const std::size_t otherRate = below(3) == 0 ? 0 : 10 + below(2000);
        std::string text(size, '\0');
        for (auto& c : text) c = otherRate != 0 && below(otherRate) == 0 ? others[below(others.size())] : alphabet[below(64)];
        if (below(3) == 0) text += std::string(below(3), '=');
        std::vector<std::size_t> sizes;
        for (int i = 0; i < 4; ++i) sizes.push_back(1 + below(below(2) == 0 ? 8 : 400));

        const std::optional<Bytes> expected = modelDecode(text);
        damaged += expected ? 0 : 1;
        ASSERT_EQ(decodeInPieces(text, sizes), expected) << "round " << round;
        ASSERT_EQ(decodeBase64Content(text), expected) << "round " << round;
    }
    EXPECT_GT(damaged, 200) << "the rounds try damaged texts too";
    EXPECT_LT(damaged, 1800) << "and whole ones";
}

}  // namespace
}  // namespace plenvik
