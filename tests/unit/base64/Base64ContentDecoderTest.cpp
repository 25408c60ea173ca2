// The piecewise decoder follows decodeBase64Content's rules wherever the text is cut.
#include "base64/Base64ContentDecoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base64/Base64Content.h"

namespace plenvik {
namespace {

std::optional<std::vector<std::uint8_t>> decodeInPieces(std::string_view text, std::size_t piece) {
    Base64ContentDecoder decoder;
    std::vector<std::uint8_t> out;
    for (std::size_t at = 0; at < text.size(); at += piece)
        if (!decoder.feed(text.substr(at, piece), out)) return std::nullopt;
    if (!decoder.finish(out)) return std::nullopt;
    return out;
}

TEST(Base64ContentDecoderTest, AgreesWithTheWholeTextDecoderForEveryCut) {
    for (const std::string_view text : {"", "QUJDREVG", "QUJD\r\nREVG", " QUJ\tD REVG\n", "QUI", "QUI=", "QQ=\r\n=", "QQ", "QUJD*REVG",
                                        "QQ==QUJD", "QUJDR", "Q", "QUI==", "=QUI", "QUJD====", "QUJDREV\xC3\xA4"}) {
        for (std::size_t piece = 1; piece <= 5; ++piece)
            EXPECT_EQ(decodeInPieces(text, piece), decodeBase64Content(text)) << text << " in pieces of " << piece;
    }
}

}  // namespace
}  // namespace plenvik
