#include "errors/ErrorMessageLines.h"

#include <gtest/gtest.h>

namespace plenvik {
namespace {

using Lines = std::vector<std::string>;

// "0123456789" repeated: the piece boundaries are visible in the expectations.
std::string digits(std::size_t count) {
    std::string s;
    for (std::size_t i = 0; i < count; ++i) s += static_cast<char>('0' + i % 10);
    return s;
}

TEST(ErrorMessageLinesTest, FourHundredCharactersGiveFiveLinesAndTheEllipsis) {
    const std::string info = digits(400);
    const Lines lines = infoTextLines(info);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "  Aktion:  " + info.substr(0, 68));
    for (std::size_t i = 1; i < 5; ++i) EXPECT_EQ(lines[i], "        :  " + info.substr(i * 68, 68)) << i;
    EXPECT_EQ(lines[5], "        :  ...");
}

TEST(ErrorMessageLinesTest, SplitsInfoTextIntoPieces) {
    struct Case {
        const char* name;
        std::string info;
        Lines expected;
    };
    const std::string d68 = digits(68), z68(68, 'z');
    const Case cases[] = {
        {"callers' default", "...", {"  Aktion:  ..."}},
        {"empty", "", {}},
        {"exactly one piece", d68, {"  Aktion:  " + d68}},
        {"one character more", d68 + "X", {"  Aktion:  " + d68, "        :  X"}},
        {"five whole pieces, nothing left",
         std::string(340, 'z'),
         {"  Aktion:  " + z68, "        :  " + z68, "        :  " + z68, "        :  " + z68, "        :  " + z68}},
        {"line feed inside the first piece keeps its prefix", "erste\nzweite", {"  Aktion:  erste", "  Aktion:  zweite"}},
        {"CR LF is one break", "a\r\nb\rc", {"  Aktion:  a", "  Aktion:  b", "  Aktion:  c"}},
        {"break in a later piece", d68 + "x\ny", {"  Aktion:  " + d68, "        :  x", "        :  y"}},
        {"CR LF across a piece boundary", digits(67) + "\r\nz", {"  Aktion:  " + digits(67), "        :  z"}},
        {"lines made by breaks count",
         "1\n2\n3\n4\n5\n6",
         {"  Aktion:  1", "  Aktion:  2", "  Aktion:  3", "  Aktion:  4", "  Aktion:  5", "        :  ..."}},
        // 68 characters, not bytes: an umlaut is one character and is never cut in two.
        {"umlauts count as one character",
         std::string(67, 'a') + "\xC3\xA4" + "b",
         {"  Aktion:  " + std::string(67, 'a') + "\xC3\xA4", "        :  b"}},
    };
    for (const auto& c : cases) EXPECT_EQ(infoTextLines(c.info), c.expected) << c.name;
}

TEST(ErrorMessageLinesTest, ListStartsWithSeparatorAndDescription) {
    const Lines lines = errMsgLines({2026, 12, 6, 7, 5, 9}, "Datei nicht gefunden", "...");
    EXPECT_EQ(lines, (Lines{"---------------------------------- 07:05:09 -----------------------------------",
                            "  Fehler:  Datei nicht gefunden", "  Aktion:  ..."}));
}

TEST(ErrorMessageLinesTest, ErrorNumberLabelCarriesTheDescriptionsLeadingNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"Datei nicht gefunden", "0"},
        {"53 Datei nicht gefunden", "53"},
        {"  7abc", "7"},
        {"-12 negativ", "-12"},
        {"007", "7"},
        {"-", "0"},
        {"", "0"},
        {"-0", "0"},
    };
    for (const auto& [description, number] : cases) EXPECT_EQ(leadingNumberText(description), number) << description;
    EXPECT_EQ(errorNumberText(53, "Datei nicht gefunden"), "53 - 0");
    EXPECT_EQ(errorNumberText(-2147024894, "2 System"), "-2147024894 - 2");
}

}  // namespace
}  // namespace plenvik
