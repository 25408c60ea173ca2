#include <windows.h>
#include <gtest/gtest.h>
TEST(SmokeTest, RunsUnderWine) { EXPECT_NE(GetCurrentProcessId(), 0u); }
#include "platform/win32/Wide.h"
TEST(SmokeTest, WideningKeepsUmlauts) {
    EXPECT_EQ(plenvik::win32::widen("M\xC3\xBCll"), L"M\u00FCll");
    EXPECT_EQ(plenvik::win32::narrow(L"\u20AC"), "\xE2\x82\xAC");
}
