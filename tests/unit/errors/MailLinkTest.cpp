#include "errors/MailLink.h"

#include <gtest/gtest.h>

namespace plenvik {
namespace {

TEST(MailLinkTest, VersionHasTwoTwoAndFourDigits) {
    EXPECT_EQ(programVersionText(3, 1, 1), "03.01.0001");
    EXPECT_EQ(programVersionText(12, 34, 5678), "12.34.5678");
}

TEST(MailLinkTest, SubjectAndBodyAreEncoded) {
    EXPECT_EQ(mailLink("support@orvel.example", "03.01.0001", "a&b #1\r\n\tM\xC3\xBCll"),
              "mailto:support@orvel.example?subject=Orvel%20Verwaltung%2C%20Fehler%2C%2003.01.0001"
              "&body=a%26b%20%231%0D%0A%09M%C3%BCll");
}

}  // namespace
}  // namespace plenvik
