#include "errors/CallStackTrace.h"

#include <gtest/gtest.h>

namespace plenvik {
namespace {

LocalTime at(int hour, int minute, int second) { return {2026, 12, 6, hour, minute, second}; }

TEST(CallStackTraceTest, RepeatedEntryKeepsOneLineWithCountAndFirstTime) {
    CallStackTrace trace;
    trace.enter("Plenvik.frmMain.Form_Load", at(7, 0, 0));
    trace.enter("Plenvik.frmMain.fc_DesktopIconsGet", at(7, 0, 1));
    trace.enter("Plenvik.frmMain.fc_DesktopIconsGet", at(7, 0, 2));
    trace.enter("Plenvik.frmMain.fc_DesktopIconsGet", at(7, 0, 3));
    EXPECT_EQ(trace.lines(),
              (std::vector<std::string>{"07:00:01 - Plenvik.frmMain.fc_DesktopIconsGet (3)", "07:00:00 - Plenvik.frmMain.Form_Load (1)"}));
    EXPECT_EQ(trace.repeatCount(), 3);
    EXPECT_EQ(trace.lastProcedure(), "Plenvik.frmMain.fc_DesktopIconsGet");
}

TEST(CallStackTraceTest, OnlyConsecutiveEntriesCount) {
    CallStackTrace trace;
    trace.enter("A", at(8, 0, 0));
    trace.enter("B", at(8, 0, 1));
    trace.enter("A", at(8, 0, 2));
    EXPECT_EQ(trace.lines(), (std::vector<std::string>{"08:00:02 - A (1)", "08:00:01 - B (1)", "08:00:00 - A (1)"}));
}

TEST(CallStackTraceTest, KeepsTheNewestFortyEntries) {
    CallStackTrace trace;
    for (int i = 1; i <= 41; ++i) {
        std::string name = std::to_string(i);
        name.insert(0, 1, 'P');
        trace.enter(name, at(9, 0, i % 60));
    }
    const auto lines = trace.lines();
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines.front(), "09:00:41 - P41 (1)");
    EXPECT_EQ(lines.back(), "09:00:02 - P2 (1)");
}

TEST(CallStackTraceTest, SystemErrorMarksTheNewestEntryUntilItIsRewritten) {
    CallStackTrace trace;
    trace.markSystemError();  // nothing to mark yet
    EXPECT_TRUE(trace.lines().empty());
    trace.enter("A", at(10, 0, 0));
    trace.enter("B", at(10, 0, 1));
    trace.markSystemError();
    EXPECT_EQ(trace.lines()[0], "10:00:01 - B (1)  -  Systemfehler");
    EXPECT_EQ(trace.lines()[1], "10:00:00 - A (1)");
    trace.enter("B", at(10, 0, 5));
    EXPECT_EQ(trace.lines()[0], "10:00:01 - B (2)");
}

}  // namespace
}  // namespace plenvik
