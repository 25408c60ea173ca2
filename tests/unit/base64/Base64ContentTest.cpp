// Strict decoding of embedded content: line breaks and blanks are skipped, anything else outside the
// alphabet refuses the whole text.
#include "base64/Base64Content.h"

#include <gtest/gtest.h>

#include <string>

namespace plenvik {
namespace {

std::string asText(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(Base64ContentTest, LineBreaksBlanksAndClosingPaddingAreSkipped) {
    const struct {
        const char* text;
        const char* bytes;
    } cases[] = {
        {"", ""},
        {"QUJDREVG", "ABCDEF"},
        {"QUJD\r\nREVG", "ABCDEF"},
        {" QUJ\tD REVG\n", "ABCDEF"},
        {"QUI", "AB"},
        {"QUI=", "AB"},
        {"QQ==", "A"},
        {"QQ=\r\n=", "A"},
        {"QQ", "A"},
    };
    for (const auto& c : cases) {
        const auto bytes = decodeBase64Content(c.text);
        ASSERT_TRUE(bytes) << c.text;
        EXPECT_EQ(asText(*bytes), c.bytes) << c.text;
    }
}

TEST(Base64ContentTest, AnyOtherCharacterOrMisplacedPaddingIsDamage) {
    for (const char* text :
         {"QUJD*REVG", "QUJD-REVG", "QUJDREV\xC3\xA4", "QQ==QUJD", "QUJDR", "Q", "QUI==", "=QUI", "QUJD====", "QUJD.REVG"}) {
        EXPECT_FALSE(decodeBase64Content(text)) << text;
    }
    EXPECT_FALSE(decodeBase64Content(std::string_view("QUJD\0REVG", 9))) << "a NUL inside";
}

}  // namespace
}  // namespace plenvik
