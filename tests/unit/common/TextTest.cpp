#include "common/Text.h"

#include <gtest/gtest.h>

namespace plenvik {
namespace {

TEST(TextTest, Utf16RoundTripKeepsEveryScript) {
    const std::string samples[] = {"", "abc", "M\xC3\xBCll", "\xE2\x82\xAC 5", "\xE4\xB8\xAD\xE6\x96\x87", "\xF0\x9F\x98\x80 smile"};
    for (const auto& s : samples) EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(s)), s);
    EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x98\x80").size(), 2u);  // a surrogate pair
}

TEST(TextTest, InvalidUtf8BecomesReplacementCharacter) {
    EXPECT_EQ(utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(utf8ToUtf16("\xC3"), u"\uFFFD");            // truncated sequence
    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong form
}

TEST(TextTest, Windows1252MapsTheHighControlsBlock) {
    EXPECT_EQ(utf8ToWindows1252("\xE2\x82\xAC", Unmappable::QuestionMark), "\x80");
    EXPECT_EQ(utf8ToWindows1252("M\xC3\xBCll \xC3\x9F", Unmappable::QuestionMark), "M\xFCll \xDF");
    EXPECT_EQ(windows1252ToUtf8("\x80\x9F\xE4"), "\xE2\x82\xAC\xC5\xB8\xC3\xA4");
}

TEST(TextTest, CharactersWindows1252LacksBecomeCharacterReferences) {
    EXPECT_EQ(utf8ToWindows1252("\xE4\xB8\xAD", Unmappable::XmlCharRef), "&#x4E2D;");
    EXPECT_EQ(utf8ToWindows1252("\xF0\x9F\x98\x80", Unmappable::XmlCharRef), "&#x1F600;");
    EXPECT_EQ(utf8ToWindows1252("\xE4\xB8\xAD", Unmappable::QuestionMark), "?");
}

TEST(TextTest, Windows1252RoundTripOfEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all), Unmappable::QuestionMark), all);
}

TEST(TextTest, TrimAndNulHelpers) {
    EXPECT_EQ(trimRight("Papierkorb   "), "Papierkorb");
    EXPECT_EQ(trimRight("   "), "");
    EXPECT_EQ(trimLeft("  x "), "x ");
    EXPECT_EQ(trimAtNull(std::string("abc\0def", 7)), "abc");
    EXPECT_EQ(trimAtNull("abc"), "abc");
    EXPECT_EQ(foldCase("\xC3\x84pfel NOTES"), "\xC3\xA4pfel notes");
    EXPECT_EQ(replaceAll("a.lnk.lnk", ".lnk", ""), "a");
}

}  // namespace
}  // namespace plenvik
