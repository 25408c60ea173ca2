// Finding and numbering the monitors on the simulated platform, in layouts Wine cannot show.
#include "display/MonitorScreens.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/sim/SimDisplays.h"

namespace plenvik {
namespace {

using sim::SimDisplays;

std::vector<std::string> deviceOrder(const MonitorScreens& screens) {
    std::vector<std::string> names;
    for (const auto& m : screens.Monitors()) names.push_back(m.DeviceName);
    return names;
}

TEST(MonitorScreensTest, OneMonitorOf1024x768IsProbedAtItsFourCellCentres) {
    SimDisplays d;
    auto& sm = d.addMonitor({0, 0, 1024, 768}, "\\\\.\\DISPLAY1", 32, 75);
    sm.work = {0, 0, 1024, 738};
    MonitorScreens screens(d);

    ASSERT_EQ(d.probes.size(), 4u);
    const int expected[4][2] = {{320, 240}, {960, 240}, {320, 720}, {960, 720}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(d.probes[i].x, expected[i][0]) << "probe " << i;
        EXPECT_EQ(d.probes[i].y, expected[i][1]) << "probe " << i;
        EXPECT_EQ(d.probes[i].flags, 0) << "probe " << i;
    }
    // All four probes meet the same handle: one monitor, number 1.
    ASSERT_EQ(screens.Count(), 1);
    const DisplayMonitor& m = screens.Monitor(1);
    EXPECT_EQ(m.handle, sm.handle);
    EXPECT_EQ(m.Left, 0);
    EXPECT_EQ(m.Top, 0);
    EXPECT_EQ(m.Right, 1024);
    EXPECT_EQ(m.Bottom, 768);
    EXPECT_EQ(m.Width, 1024);
    EXPECT_EQ(m.Height, 768);
    EXPECT_EQ(m.WorkBottom, 738);
    EXPECT_EQ(m.WorkRight, 1024);
    EXPECT_EQ(m.DeviceName, "\\\\.\\DISPLAY1");  // cut at the NUL the platform's buffer holds
    EXPECT_EQ(m.DisplayColorDepth, 32);
    EXPECT_EQ(m.DisplayFrequency, 75);
    EXPECT_EQ(m.currentModeText(), "1024 x 768, 32 Bit, 75 Hz");
    EXPECT_EQ(screens.DesktopLeft(), 0);
    EXPECT_EQ(screens.DesktopWidth(), 1024);
}

// Numbering follows the first probe hit, row by row from the top of the virtual screen and left to
// right within a row - never the platform's primary flag or the order the platform lists them in.
TEST(MonitorScreensTest, NumbersMonitorsByGeometry) {
    const struct Layout {
        const char* name;
        std::vector<std::pair<Rect, std::string>> monitors;  // the first one is the primary
        std::vector<std::string> expectedOrder;
    } layouts[] = {
        {"second monitor left of the primary", {{{0, 0, 1280, 1024}, "P"}, {{-1024, 0, 0, 768}, "L"}}, {"L", "P"}},
        {"left monitor lower, so its first probe comes in a later row",
         {{{0, 0, 1280, 1024}, "P"}, {{-1024, 300, 0, 1068}, "L"}},
         {"P", "L"}},
        {"monitor above the primary", {{{0, 0, 1280, 1024}, "P"}, {{0, -768, 1024, 0}, "A"}}, {"A", "P"}},
        {"monitor right of the primary", {{{0, 0, 1920, 1080}, "P"}, {{1920, 0, 3200, 1024}, "R"}}, {"P", "R"}},
        {"four monitors around the primary",
         {{{0, 0, 1920, 1080}, "P"}, {{1920, 0, 3200, 1024}, "R"}, {{-1280, 56, 0, 1080}, "L"}, {{0, -1080, 1920, 0}, "A"}},
         {"A", "L", "P", "R"}},
        {"four monitors in a square, primary bottom right",
         {{{0, 0, 1024, 768}, "P"}, {{-1024, -768, 0, 0}, "TL"}, {{0, -768, 1024, 0}, "TR"}, {{-1024, 0, 0, 768}, "BL"}},
         {"TL", "TR", "BL", "P"}},
    };
    for (const auto& layout : layouts) {
        SimDisplays d;
        for (const auto& [rect, name] : layout.monitors) d.addMonitor(rect, name);
        MonitorScreens screens(d);
        EXPECT_EQ(deviceOrder(screens), layout.expectedOrder) << layout.name;
        // Each monitor's rectangle comes back as configured, negative coordinates included.
        for (const auto& m : screens.Monitors()) {
            const auto* sm = d.find(m.DeviceName);
            ASSERT_NE(sm, nullptr);
            EXPECT_EQ((Rect{m.Left, m.Top, m.Right, m.Bottom}), sm->rect) << layout.name << " " << m.DeviceName;
        }
    }
}

TEST(MonitorScreensTest, ScansExactlyTheVirtualScreenAlsoWhenItStartsAboveAndLeftOfZero) {
    SimDisplays d;
    d.addMonitor({0, 0, 1280, 1024}, "P");
    d.addMonitor({0, -768, 1024, 0}, "A");
    d.addMonitor({-1024, 200, 0, 968}, "L");
    d.addMonitor({1280, 1024, 1920, 1504}, "B");  // at the very bottom right of the virtual screen
    MonitorScreens screens(d);

    EXPECT_EQ(screens.DesktopLeft(), -1024);
    EXPECT_EQ(screens.DesktopTop(), -768);
    EXPECT_EQ(screens.DesktopWidth(), 2944);
    EXPECT_EQ(screens.DesktopHeight(), 2272);
    EXPECT_EQ(deviceOrder(screens), (std::vector<std::string>{"A", "L", "P", "B"}));
    // Cells start from the virtual screen's top-left corner and end with the cell that holds its
    // bottom or right edge; no probe lies beyond that.
    ASSERT_FALSE(d.probes.empty());
    EXPECT_EQ(d.probes.front().x, -1024 + 320);
    EXPECT_EQ(d.probes.front().y, -768 + 240);
    for (const auto& p : d.probes) {
        EXPECT_EQ((p.x - 320 + 1024) % 640, 0);
        EXPECT_EQ((p.y - 240 + 768) % 480, 0);
        EXPECT_LE(p.x - 320, -1024 + 2944);
        EXPECT_LE(p.y - 240, -768 + 2272);
    }
    EXPECT_EQ(d.probes.size(), 5u * 5u);  // rows -768 .. 1152, columns -1024 .. 1536
}

TEST(MonitorScreensTest, MonitorSmallerThanACellIsFoundWhereACellCentreFallsOnIt) {
    SimDisplays d;
    d.addMonitor({0, 0, 1280, 1024}, "P");
    d.addMonitor({-600, 0, 0, 400}, "S");  // the first cell's centre (-280, 240) lies on it
    MonitorScreens screens(d);
    EXPECT_EQ(deviceOrder(screens), (std::vector<std::string>{"S", "P"}));
    EXPECT_EQ(d.probes.size(), 3u * 3u);  // no second pass: every monitor was met
}

TEST(MonitorScreensTest, MonitorSmallerThanACellBetweenTheCentresIsFoundByAFinerPassAndNumberedLast) {
    const struct {
        const char* name;
        Rect small;
    } cases[] = {
        {"a bar 200 pixels high below the primary", {0, 768, 1024, 968}},
        {"a 480 x 400 display right of the primary", {1024, 0, 1504, 400}},
        {"a 320 x 240 display above the primary", {400, -240, 720, 0}},
    };
    for (const auto& c : cases) {
        SimDisplays d;
        d.addMonitor({0, 0, 1024, 768}, "P");
        d.addMonitor(c.small, "S");
        MonitorScreens screens(d);
        EXPECT_EQ(deviceOrder(screens), (std::vector<std::string>{"P", "S"})) << c.name;
        if (screens.Count() == 2) {
            EXPECT_EQ((Rect{screens.Monitor(2).Left, screens.Monitor(2).Top, screens.Monitor(2).Right, screens.Monitor(2).Bottom}), c.small)
                << c.name;
        }
        // The coarse pass alone stepped over it: none of its cell centres lies on the small monitor.
        bool coarseHit = false;
        for (const auto& p : d.probes) {
            const bool coarse = (p.x - 320 - screens.DesktopLeft()) % 640 == 0 && (p.y - 240 - screens.DesktopTop()) % 480 == 0;
            if (coarse && p.x >= c.small.left && p.x < c.small.right && p.y >= c.small.top && p.y < c.small.bottom) coarseHit = true;
        }
        EXPECT_FALSE(coarseHit) << c.name << ": the case does not test the finer pass";
    }
}

TEST(MonitorScreensTest, MonitorsThatShareOneRectangleAreOneMonitorAndTheFinerPassEnds) {
    // Two outputs at the same place (as under Xvfb with two screens): the platform counts two, the
    // probes only ever meet the first.
    SimDisplays d;
    d.addMonitor({0, 0, 1280, 1024}, "\\\\.\\DISPLAY1");
    d.addMonitor({0, 0, 1280, 1024}, "\\\\.\\DISPLAY2");
    MonitorScreens screens(d);
    EXPECT_EQ(deviceOrder(screens), (std::vector<std::string>{"\\\\.\\DISPLAY1"}));
    const std::size_t coarse = 3u * 3u;
    const std::size_t fine = (1280u / 32 + 1) * (1024u / 24 + 1);
    EXPECT_EQ(d.probes.size(), coarse + fine);
}

TEST(MonitorScreensTest, WithoutMultiMonitorSupportOneMonitorCoversTheScreen) {
    SimDisplays d;
    d.multiMonitor = false;
    d.addMonitor({0, 0, 800, 600}, "\\\\.\\DISPLAY1");
    MonitorScreens screens(d);

    EXPECT_TRUE(d.probes.empty());
    ASSERT_EQ(screens.Count(), 1);
    const DisplayMonitor& m = screens.Monitor(1);
    EXPECT_EQ(m.handle, 0);
    EXPECT_EQ((Rect{m.Left, m.Top, m.Right, m.Bottom}), (Rect{0, 0, 800, 600}));
    EXPECT_EQ((Rect{m.WorkLeft, m.WorkTop, m.WorkRight, m.WorkBottom}), (Rect{0, 0, 800, 600}));
    EXPECT_EQ(m.Width, 800);
    EXPECT_EQ(m.Height, 600);
    EXPECT_EQ(m.DeviceName, "");
    EXPECT_EQ(m.DisplayFrequency, 0);
    EXPECT_EQ(m.DisplayColorDepth, 0);
    EXPECT_EQ(screens.DesktopLeft(), 0);
    EXPECT_EQ(screens.DesktopTop(), 0);
    EXPECT_EQ(screens.DesktopWidth(), 800);
    EXPECT_EQ(screens.DesktopHeight(), 600);
    EXPECT_EQ(screens.monitorIdOfDevice(""), 1);
}

TEST(MonitorScreensTest, RefreshFindsTheMonitorsAgain) {
    SimDisplays d;
    d.addMonitor({0, 0, 1280, 1024}, "P");
    MonitorScreens screens(d);
    ASSERT_EQ(screens.Count(), 1);
    d.addMonitor({-1280, 0, 0, 1024}, "L");
    screens.Refresh();
    EXPECT_EQ(deviceOrder(screens), (std::vector<std::string>{"L", "P"}));
}

TEST(MonitorScreensTest, FindsTheNumberOfADeviceName) {
    SimDisplays d;
    d.addMonitor({0, 0, 1280, 1024}, "\\\\.\\DISPLAY2");
    d.addMonitor({-1280, 0, 0, 1024}, "\\\\.\\DISPLAY1");
    d.addMonitor({1280, 0, 2560, 1024}, "\\\\.\\DISPLAY1");  // not expected from the platform
    MonitorScreens screens(d);
    EXPECT_EQ(screens.monitorIdOfDevice("\\\\.\\DISPLAY2"), 2);
    EXPECT_EQ(screens.monitorIdOfDevice("\\\\.\\DISPLAY1"), 1);  // shared: the lower number
    EXPECT_EQ(screens.monitorIdOfDevice("\\\\.\\DISPLAY3"), -1);
    EXPECT_EQ(screens.monitorIdOfDevice("\\\\.\\display2"), -1);  // exact comparison
    EXPECT_EQ(screens.monitorIdOfDevice(""), -1);
}

TEST(MonitorScreensTest, PointOnNoMonitorGivesNoneOrThePrimary) {
    SimDisplays d;
    const auto primary = d.addMonitor({0, 0, 1280, 1024}, "P").handle;
    const auto above = d.addMonitor({0, -768, 1024, 0}, "A").handle;
    MonitorScreens screens(d);
    EXPECT_EQ(screens.GetMonitorFromXYPoint(1100, -100, 0), 0);  // the gap right of the upper monitor
    EXPECT_EQ(screens.GetMonitorFromXYPoint(1100, -100, 1), primary);
    EXPECT_EQ(screens.GetMonitorFromXYPoint(10, -10, 0), above);
    d.beforeCall = [](const std::string& op) {
        if (op == "monitorFromPoint") throw std::runtime_error("MonitorFromRect missing");
    };
    EXPECT_EQ(screens.GetMonitorFromXYPoint(10, 10, 0), -1);
}

TEST(MonitorScreensTest, CurrentModeFallsBackToTheRegistryAndStaysZeroWhenBothFail) {
    SimDisplays d;
    auto& a = d.addMonitor({0, 0, 1280, 1024}, "A", 32, 60);
    a.currentReadable = false;
    a.registry = SimDisplays::mode(1280, 1024, 16, 75);
    auto& b = d.addMonitor({1280, 0, 2560, 1024}, "B", 32, 60);
    b.currentReadable = false;  // and no registry mode
    d.addMonitor({2560, 0, 3840, 1024}, "C", 24, 50);
    MonitorScreens screens(d);
    ASSERT_EQ(deviceOrder(screens), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(screens.Monitor(1).DisplayColorDepth, 16);
    EXPECT_EQ(screens.Monitor(1).DisplayFrequency, 75);
    EXPECT_EQ(screens.Monitor(2).DisplayColorDepth, 0);
    EXPECT_EQ(screens.Monitor(2).DisplayFrequency, 0);
    EXPECT_EQ(screens.Monitor(2).Width, 1280);  // the rest of the monitor is read all the same
    EXPECT_EQ(screens.Monitor(3).DisplayColorDepth, 24);
    EXPECT_EQ(screens.Monitor(3).DisplayFrequency, 50);
}

TEST(MonitorScreensTest, AnErrorWhileReadingAMonitorEndsTheDiscoveryWithTheMonitorsFoundSoFar) {
    SimDisplays d;
    d.addMonitor({0, 0, 1280, 1024}, "P");
    d.addMonitor({1280, 0, 2560, 1024}, "R");
    d.addMonitor({2560, 0, 3840, 1024}, "RR");
    int infos = 0;
    d.beforeCall = [&](const std::string& op) {
        if (op == "monitorInfo" && ++infos == 2) throw std::runtime_error("GetMonitorInfo failed");
    };
    MonitorScreens screens(d);
    EXPECT_EQ(deviceOrder(screens), (std::vector<std::string>{"P"}));
}

TEST(MonitorScreensTest, AFailingProbeNamesNoMonitorAndTheScanGoesOn) {
    SimDisplays d;
    d.addMonitor({0, 0, 1280, 1024}, "P");
    d.addMonitor({1280, 0, 2560, 1024}, "R");
    int probes = 0;
    d.beforeCall = [&](const std::string& op) {
        if (op == "monitorFromPoint" && ++probes == 1) throw std::runtime_error("probe failed");
    };
    MonitorScreens screens(d);
    EXPECT_EQ(deviceOrder(screens), (std::vector<std::string>{"P", "R"}));
}

}  // namespace
}  // namespace plenvik
