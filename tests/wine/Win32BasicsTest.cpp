// The simple Win32 services: system facts and the user's regional date format.
#include <windows.h>

#include <gtest/gtest.h>

#include "driver/WineDriver.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Basics.h"
#include "system/UserIdentity.h"

namespace plenvik::test {
namespace {

TEST(SystemInfoTest, NamesAndFoldersComeFromTheSystem) {
    win32::Win32SystemInfo system;
    const std::string computer = computerName(system);
    EXPECT_FALSE(computer.empty());
    EXPECT_EQ(computer.find(' '), std::string::npos);
    wchar_t user[257] = {};
    DWORD size = 257;
    ASSERT_TRUE(GetUserNameW(user, &size));
    EXPECT_EQ(userName(system), win32::narrow(user));
    EXPECT_EQ(system.programFileName(), "wine_tests");
    EXPECT_EQ(win32::widen(system.programFolder()), buildFolder() + L"\\tests");
    EXPECT_EQ(system.osVersion().platformId, 2);
}

TEST(SystemInfoTest, RegionalDatesRoundTrip) {
    win32::Win32Locale locale;
    const LocalTime t{2026, 12, 6, 7, 25, 46};
    const std::string text = locale.formatGeneralDate(t);
    EXPECT_NE(text.find("2026"), std::string::npos) << text;
    const auto back = locale.parseGeneralDate(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_EQ(*back, t);
    EXPECT_FALSE(locale.parseGeneralDate("kein Datum").has_value());
}

}  // namespace
}  // namespace plenvik::test
