#include "project/ProjectNames.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace plenvik {
namespace {

TEST(ProjectNamesTest, XmlTextEscapeEscapesAmpersandFirstAndNothingElse) {
    const struct {
        const char* text;
        const char* escaped;
    } cases[] = {
        {"A&B <1>", "A&amp;B &lt;1&gt;"},
        {"&amp;", "&amp;amp;"},  // entity-like text is escaped again
        {"\"quoted\" 'single'", "\"quoted\" 'single'"},
        {"M\xC3\xBCller \xE2\x82\xAC", "M\xC3\xBCller \xE2\x82\xAC"},
        {"", ""},
        {"<<>>", "&lt;&lt;&gt;&gt;"},
    };
    for (const auto& c : cases) EXPECT_EQ(escapeXmlText(c.text), c.escaped) << c.text;
}

TEST(ProjectNamesTest, VersionTextHasTwoTwoAndFourDigits) {
    EXPECT_EQ(formatProjectVersion(3, 1, 1), "03.01.0001");
    EXPECT_EQ(formatProjectVersion(12, 34, 5678), "12.34.5678");
    const std::string own = projectVersionText();
    ASSERT_EQ(own.size(), 10u);
    EXPECT_EQ(own[2], '.');
    EXPECT_EQ(own[5], '.');
}

TEST(ProjectNamesTest, TimeKeyAndAutomaticName) {
    const LocalTime t{2007, 12, 6, 11, 16, 20};
    EXPECT_EQ(timeKey(t), "071206111620");
    EXPECT_EQ(timeKey(LocalTime{2000, 1, 2, 3, 4, 5}), "000102030405");
    EXPECT_EQ(automaticProjectName("PC01", "admin", t), "Plenvik PC01 admin 071206111620");
    EXPECT_EQ(automaticProjectFileName("PC01", "admin", t), "Plenvik PC01 admin 071206111620.Plenvk");
}

TEST(ProjectNamesTest, ProjectFilePathAddsOneBackslash) {
    EXPECT_EQ(projectFilePath("C:\\Projekte", "a.Plenvk"), "C:\\Projekte\\a.Plenvk");
    EXPECT_EQ(projectFilePath("C:\\Projekte\\", "a.Plenvk"), "C:\\Projekte\\a.Plenvk");
}

TEST(ProjectNamesTest, IconSortKeyPadsWithSignInFront) {
    EXPECT_EQ(iconSortKey(75, 320), "000075-000320");
    EXPECT_EQ(iconSortKey(-1280, 10), "-001280-000010");
    EXPECT_EQ(iconSortKey(-12, 320), "-000012-000320");
    EXPECT_EQ(iconSortKey(1234567, 0), "1234567-000000");
    EXPECT_EQ(formatZeroPadded(-5, 4), "-0005");
    EXPECT_EQ(formatZeroPadded(std::numeric_limits<std::int64_t>::min(), 2), "-9223372036854775808");

    // Sorted as text, a negative x comes before every positive one.
    std::vector<std::string> keys = {iconSortKey(150, 20), iconSortKey(-1200, 10), iconSortKey(75, 400), iconSortKey(75, 320)};
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::string>{"-001200-000010", "000075-000320", "000075-000400", "000150-000020"}));
}

TEST(ProjectNamesTest, ElementNamesHaveAtLeastTwoAndThreeDigits) {
    EXPECT_EQ(monitorElementName(1), "Monitor01");
    EXPECT_EQ(monitorElementName(10), "Monitor10");
    EXPECT_EQ(monitorElementName(100), "Monitor100");
    EXPECT_EQ(iconElementName(1), "Icon001");
    EXPECT_EQ(iconElementName(999), "Icon999");
    EXPECT_EQ(iconElementName(1000), "Icon1000");
}

TEST(ProjectNamesTest, SingleIsWrittenWithSevenSignificantDigits) {
    const struct {
        float value;
        char separator;
        const char* text;
    } cases[] = {
        {12.5f, ',', "12,5"},
        {12.5f, '.', "12.5"},
        {1.0f, ',', "1"},
        {2.2f, ',', "2,2"},  // not the float's exact 2.2000000476837158
        {1.0f / 3.0f, ',', "0,3333333"},
        {123456.7f, ',', "123456,7"},
        {-3.75f, ',', "-3,75"},
        {0.0f, ',', "0"},
        {-0.0f, ',', "0"},
        {1e8f, ',', "1E+08"},
        {std::numeric_limits<float>::quiet_NaN(), ',', "0"},
        {std::numeric_limits<float>::infinity(), ',', "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatSingle(c.value, c.separator), c.text) << c.value;
}

TEST(ProjectNamesTest, SingleIsReadWithEitherSeparator) {
    EXPECT_EQ(parseSingle("12,5"), 12.5f);
    EXPECT_EQ(parseSingle("12.5"), 12.5f);  // written on a system with a point
    EXPECT_EQ(parseSingle(" 9,375 "), 9.375f);
    EXPECT_EQ(parseSingle("-3,75"), -3.75f);
    EXPECT_EQ(parseSingle("1E+08"), 1e8f);
    EXPECT_EQ(parseSingle("7"), 7.0f);
    for (const char* bad : {"", " ", "abc", "1,2,3", "1.234,5", "12,5x", "+-1", "1e999"}) EXPECT_FALSE(parseSingle(bad).has_value()) << bad;
    // What is written reads back to the nearest float of the 7 digits.
    for (float v : {12.5f, 0.1f, 2.2f, 33.333f, 1.0f / 3.0f}) {
        const auto back = parseSingle(formatSingle(v, ','));
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(*back, v, std::fabs(v) * 1e-6f);
    }
}

TEST(ProjectNamesTest, LongAcceptsSignedDecimalsThatFit) {
    EXPECT_EQ(parseLong("-1280"), -1280);
    EXPECT_EQ(parseLong(" 5 "), 5);
    EXPECT_EQ(parseLong("+7"), 7);
    EXPECT_EQ(parseLong("2147483647"), 2147483647);
    for (const char* bad : {"", "+", "2147483648", "12a", "1,5", "+-5", "0x10"}) EXPECT_FALSE(parseLong(bad).has_value()) << bad;
}

}  // namespace
}  // namespace plenvik
