// The main window's table of monitors, filled by readMonitors on the simulated platform.
#include "display/DesktopMonitors.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "errors/Procedure.h"
#include "platform/sim/SimDisplays.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik {
namespace {

using sim::SimDisplays;

TEST(MonitorRecordsTest, OneMonitorGivesUpperBoundOneAndAnEmptyElementZero) {
    SimDisplays d;
    d.addMonitor({0, 0, 1280, 1024}, "\\\\.\\DISPLAY1", 32, 60);
    test::ScriptedErrorHandler handler;
    std::vector<MonitorRecord> monitors(5);  // an earlier, longer table is replaced
    monitors[0].Nr = 9;
    EXPECT_TRUE(readMonitors(monitors, d, handler));

    EXPECT_EQ(handler.entered, (std::vector<std::string>{"Plenvik.frmMain.fc_DesktopMonitorsGet"}));
    EXPECT_TRUE(handler.reports.empty());
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(monitors[0].Nr, 0);
    EXPECT_EQ(monitors[0].DeviceName, "");
    EXPECT_EQ(monitors[0].Width, 0);
    const MonitorRecord& r = monitors[1];
    EXPECT_EQ(r.Nr, 1);
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Right, 1280);
    EXPECT_EQ(r.Bottom, 1024);
    EXPECT_EQ(r.Width, 1280);
    EXPECT_EQ(r.Height, 1024);
    EXPECT_EQ(r.Frequency, 60);
    EXPECT_EQ(r.ColorDepth, 32);
    EXPECT_EQ(r.DeviceName, "\\\\.\\DISPLAY1");
}

TEST(MonitorRecordsTest, FourMonitorsAreNumberedInScanOrder) {
    SimDisplays d;
    d.addMonitor({0, 0, 1920, 1080}, "\\\\.\\DISPLAY1", 32, 60);
    d.addMonitor({1920, 0, 3200, 1024}, "\\\\.\\DISPLAY2", 32, 75);
    d.addMonitor({-1280, 56, 0, 1080}, "\\\\.\\DISPLAY3", 16, 60);
    d.addMonitor({0, -1080, 1920, 0}, "\\\\.\\DISPLAY4", 32, 144);
    test::ScriptedErrorHandler handler;
    std::vector<MonitorRecord> monitors;
    readMonitors(monitors, d, handler);

    ASSERT_EQ(monitors.size(), 5u);
    const struct {
        const char* device;
        Rect rect;
        int hertz, bits;
    } expected[] = {
        {"\\\\.\\DISPLAY4", {0, -1080, 1920, 0}, 144, 32},
        {"\\\\.\\DISPLAY3", {-1280, 56, 0, 1080}, 60, 16},
        {"\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, 60, 32},
        {"\\\\.\\DISPLAY2", {1920, 0, 3200, 1024}, 75, 32},
    };
    for (int i = 1; i <= 4; ++i) {
        const auto& e = expected[i - 1];
        const auto& r = monitors[static_cast<std::size_t>(i)];
        EXPECT_EQ(r.Nr, i);
        EXPECT_EQ(r.DeviceName, e.device) << i;
        EXPECT_EQ((Rect{r.Left, r.Top, r.Right, r.Bottom}), e.rect) << i;
        EXPECT_EQ(r.Width, e.rect.right - e.rect.left) << i;
        EXPECT_EQ(r.Height, e.rect.bottom - e.rect.top) << i;
        EXPECT_EQ(r.Frequency, e.hertz) << i;
        EXPECT_EQ(r.ColorDepth, e.bits) << i;
    }
}

TEST(MonitorRecordsTest, RunTimeErrorGoesToTheHandlerWhoseAnswerDecides) {
    SimDisplays d;
    d.addMonitor({0, 0, 1280, 1024}, "\\\\.\\DISPLAY1");
    d.addMonitor({-1280, 0, 0, 1024}, "\\\\.\\DISPLAY2");
    int failures = 1;
    d.beforeCall = [&](const std::string& op) {
        if (op == "metric" && failures > 0) {
            --failures;
            throw RuntimeError(7, "Plenvik", "Nicht genügend Speicher");
        }
    };

    // Retry: the second attempt succeeds and the table is complete.
    test::ScriptedErrorHandler retry;
    retry.answers = {kActionRetry};
    std::vector<MonitorRecord> monitors;
    EXPECT_TRUE(readMonitors(monitors, d, retry));
    ASSERT_EQ(retry.reports.size(), 1u);
    EXPECT_EQ(retry.reports[0].procedure, "Plenvik.frmMain.fc_DesktopMonitorsGet");
    EXPECT_EQ(retry.reports[0].number, 7);
    EXPECT_EQ(retry.reports[0].description, "Nicht genügend Speicher");
    EXPECT_EQ(monitors.size(), 3u);

    // Leave, and next statement: the table says "not determined" (upper bound 0).
    for (int answer : {kActionLeave, kActionNext}) {
        failures = 1;
        test::ScriptedErrorHandler handler;
        handler.answers = {answer};
        EXPECT_FALSE(readMonitors(monitors, d, handler)) << answer;
        EXPECT_EQ(handler.reports.size(), 1u) << answer;
        EXPECT_EQ(monitors.size(), 1u) << answer;
    }

    // End the program: passed on to the program's top level.
    failures = 1;
    test::ScriptedErrorHandler end;
    end.answers = {kActionEnd};
    EXPECT_THROW(readMonitors(monitors, d, end), EndProgram);
}

}  // namespace
}  // namespace plenvik
