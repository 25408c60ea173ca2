// The mode list of a monitor and switching modes on the simulated platform.
#include <gtest/gtest.h>

#include "display/MonitorScreens.h"
#include "platform/sim/SimDialogs.h"
#include "platform/sim/SimDisplays.h"

namespace plenvik {
namespace {

using sim::SimDisplays;

class MonitorModesTest : public ::testing::Test {
protected:
    MonitorModesTest() {
        d.addMonitor(
            {0, 0, 1280, 1024}, "\\\\.\\DISPLAY1", 32, 60,
            {SimDisplays::mode(1280, 1024, 32, 60), SimDisplays::mode(1024, 768, 32, 60), SimDisplays::mode(1024, 768, 32, 75),
             SimDisplays::mode(800, 600, 16, 60, 0), SimDisplays::mode(800, 600, 16, 60, 2), SimDisplays::mode(1280, 1024, 16, 60)});
        d.addMonitor({1280, 0, 2304, 768}, "\\\\.\\DISPLAY2", 32, 60,
                     {SimDisplays::mode(1024, 768, 32, 60), SimDisplays::mode(1280, 1024, 32, 60)});
    }

    DisplayMonitor& monitor(int number) {
        screens = std::make_unique<MonitorScreens>(d);
        return screens->Monitor(number);
    }
    int modeReads() const { return enumCalls; }
    void countModeReads() {
        d.beforeCall = [this](const std::string& op) {
            if (op == "enumMode") ++enumCalls;
        };
    }

    SimDisplays d;
    sim::SimDialogs dialogs;
    std::unique_ptr<MonitorScreens> screens;
    int enumCalls = 0;
};

TEST_F(MonitorModesTest, ListsTheModesUntilThereIsNoNextOne) {
    DisplayMonitor& m = monitor(1);
    std::vector<std::string> texts;
    std::string text;
    std::int32_t n = 0;
    while (m.enumDisplaySettings(text, n)) {
        texts.push_back(text);
        ++n;
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"1280 x 1024, 32 Bit, 60 Hz", "1024 x 768, 32 Bit, 60 Hz", "1024 x 768, 32 Bit, 75 Hz",
                                               "800 x 600, 16 Bit, 60 Hz", "800 x 600, 16 Bit, 60 Hz", "1280 x 1024, 16 Bit, 60 Hz"}));
    // Past the last mode: false, number -1, empty text.
    EXPECT_EQ(n, -1);
    EXPECT_EQ(text, "");
    // The entry of the current mode is the one with the text built from the monitor's properties.
    EXPECT_EQ(texts.front(), m.currentModeText());

    text = "old";
    n = -1;  // not a mode number (the platform would answer with the current settings)
    EXPECT_FALSE(m.enumDisplaySettings(text, n));
    EXPECT_EQ(text, "");
    n = 2;
    ASSERT_TRUE(m.enumDisplaySettings(text, n));
    EXPECT_EQ(n, 2);
    EXPECT_EQ(m.modeRecord().frequency, 75);  // the record holds the mode last read
}

TEST_F(MonitorModesTest, EachMonitorListsTheModesOfItsOwnDevice) {
    DisplayMonitor& second = monitor(2);
    std::string text;
    std::int32_t n = 1;
    ASSERT_TRUE(second.enumDisplaySettings(text, n));
    EXPECT_EQ(text, "1280 x 1024, 32 Bit, 60 Hz");
    n = 2;
    EXPECT_FALSE(second.enumDisplaySettings(text, n));
}

TEST_F(MonitorModesTest, SearchAppliesTheFirstModeWithTheFourValues) {
    DisplayMonitor& m = monitor(1);
    countModeReads();
    EXPECT_TRUE(m.setResolution(dialogs, {.width = 800, .height = 600, .frequency = 60, .colorDepth = 16}));
    ASSERT_EQ(d.changes.size(), 1u);
    const auto& c = d.changes[0];
    EXPECT_EQ(c.device, "\\\\.\\DISPLAY1");
    EXPECT_EQ(c.flags, 0x40000000u);  // reset, no test pass, no registry update
    EXPECT_EQ(c.mode.width, 800);
    EXPECT_EQ(c.mode.height, 600);
    EXPECT_EQ(c.mode.displayFlags, 0u);  // of two modes that differ only there, the first listed
    EXPECT_EQ(c.mode.fields & kDmPosition, 0u);
    EXPECT_EQ(modeReads(), 4);  // modes 0..3
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(m.modeRecord(), c.mode);
    // The display now runs in the new mode.
    EXPECT_EQ(d.monitors()[0].rect, (Rect{0, 0, 800, 600}));
    EXPECT_EQ(d.monitors()[0].current.bitsPerPixel, 16);
}

TEST_F(MonitorModesTest, SearchComparesTheFrequencyToo) {
    DisplayMonitor& m = monitor(1);
    EXPECT_TRUE(m.setResolution(dialogs, {.width = 1024, .height = 768, .frequency = 75, .colorDepth = 32}));
    ASSERT_EQ(d.changes.size(), 1u);
    EXPECT_EQ(d.changes[0].mode.frequency, 75);
}

TEST_F(MonitorModesTest, SearchWithoutAMatchReadsEveryModeOnceAndChangesNothing) {
    DisplayMonitor& m = monitor(1);
    countModeReads();
    EXPECT_FALSE(m.setResolution(dialogs, {.width = 1920, .height = 1080, .frequency = 60, .colorDepth = 32}));
    EXPECT_EQ(modeReads(), 7);  // six modes and the read that finds no seventh
    EXPECT_TRUE(d.changes.empty());
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(d.monitors()[0].rect, (Rect{0, 0, 1280, 1024}));
}

TEST_F(MonitorModesTest, IndexAppliesThatModeAndAnIndexPastTheLastGivesFalseQuietly) {
    DisplayMonitor& m = monitor(1);
    countModeReads();
    EXPECT_TRUE(m.setResolution(dialogs, {.index = 2}));
    ASSERT_EQ(d.changes.size(), 1u);
    EXPECT_EQ(d.changes[0].mode, SimDisplays::mode(1024, 768, 32, 75));
    EXPECT_EQ(modeReads(), 1);
    EXPECT_FALSE(m.setResolution(dialogs, {.index = 6}));
    EXPECT_EQ(d.changes.size(), 1u);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(MonitorModesTest, TheCurrentModeIsAppliedAgain) {
    DisplayMonitor& m = monitor(1);
    EXPECT_TRUE(m.setResolution(dialogs, {.index = 0}));
    ASSERT_EQ(d.changes.size(), 1u);
    EXPECT_EQ(d.changes[0].mode, d.monitors()[0].modes[0]);
    EXPECT_EQ(d.changes[0].flags, kCdsReset);
}

TEST_F(MonitorModesTest, PositionIsRequestedOnlyWhenBothAreGivenAndDiffer) {
    const struct {
        const char* name;
        int x, y;
        bool requested;
    } cases[] = {
        {"omitted", -1, -1, false},
        {"x only", 1280, -1, false},
        {"y only", -1, 0, false},
        {"the mode's own position", 0, 0, false},
        {"right of the primary", 1280, 0, true},
        {"left of the primary", -1024, 0, true},
        {"above the primary", 0, -768, true},
    };
    for (const auto& c : cases) {
        d.changes.clear();
        DisplayMonitor& m = monitor(2);
        ASSERT_TRUE(
            m.setResolution(dialogs, {.width = 1024, .height = 768, .frequency = 60, .colorDepth = 32, .positionX = c.x, .positionY = c.y}))
            << c.name;
        ASSERT_EQ(d.changes.size(), 1u) << c.name;
        const DisplayMode& sent = d.changes[0].mode;
        EXPECT_EQ((sent.fields & kDmPosition) != 0, c.requested) << c.name;
        if (c.requested) {
            EXPECT_EQ(sent.positionX, c.x) << c.name;
            EXPECT_EQ(sent.positionY, c.y) << c.name;
            EXPECT_EQ(d.monitors()[1].rect, (Rect{c.x, c.y, c.x + 1024, c.y + 768})) << c.name;
            // Back to where it was, for the next case.
            d.monitors()[1].rect = {1280, 0, 2304, 768};
        }
    }
}

TEST_F(MonitorModesTest, ResultCodesGiveTheirResultAndMessage) {
    const struct {
        long code;
        bool result;
        const char* message;  // "" for none
    } cases[] = {
        {0, true, ""},
        {1, true, "Zum Ändern der Auflösung muß der Computer neu gestartet werden."},
        {-1, false, "Die Auflösung konnte nicht geändert werden."},
        {-2, false, "Grafikmodus wird nicht unterstützt."},
        {-3, true, "Die Einstellungen konnten zwar geänder, aber nicht in der Registry gespeichert werden."},
        {-4, false, ""},
        {-5, false, ""},
        {-6, false, ""},
        {2, false, ""},
    };
    dialogs.answerAllMessages(MsgAnswer::Ok);
    for (const auto& c : cases) {
        dialogs.asked.clear();
        DisplayMonitor& m = monitor(1);
        d.scriptedResults.push_back(c.code);
        EXPECT_EQ(m.setResolution(dialogs, {.index = 1}), c.result) << "code " << c.code;
        if (*c.message == '\0') {
            EXPECT_TRUE(dialogs.asked.empty()) << "code " << c.code;
            continue;
        }
        ASSERT_EQ(dialogs.asked.size(), 1u) << "code " << c.code;
        const auto& q = dialogs.asked[0];
        EXPECT_EQ(q.kind, sim::AskedQuestion::Kind::MessageBox);
        EXPECT_EQ(q.text, c.message);
        EXPECT_EQ(q.title, "Plenvik");
        EXPECT_EQ(q.buttons, MsgButtons::Ok);
        EXPECT_EQ(q.icon, MsgIcon::Information);
    }
}

TEST_F(MonitorModesTest, ModeChangeAndReturnFromTheSavedValues) {
    // What the desktop settings dialog does: change by index, then put the previous mode back from the
    // values the monitor had, position included.
    MonitorScreens before(d);
    const DisplayMonitor saved = before.Monitor(2);

    DisplayMonitor& m = before.Monitor(2);
    ASSERT_TRUE(m.setResolution(dialogs, {.index = 1}));
    MonitorScreens changed(d);
    ASSERT_EQ(changed.Count(), 2);
    EXPECT_EQ(changed.Monitor(2).Width, 1280);
    EXPECT_EQ(changed.Monitor(2).Height, 1024);

    ASSERT_TRUE(changed.Monitor(2).setResolution(dialogs, {.width = saved.Width,
                                                           .height = saved.Height,
                                                           .frequency = saved.DisplayFrequency,
                                                           .colorDepth = saved.DisplayColorDepth,
                                                           .positionX = saved.Left,
                                                           .positionY = saved.Top}));
    MonitorScreens after(d);
    ASSERT_EQ(after.Count(), 2);
    EXPECT_EQ(after.Monitor(2).currentModeText(), saved.currentModeText());
    EXPECT_EQ((Rect{after.Monitor(2).Left, after.Monitor(2).Top, after.Monitor(2).Right, after.Monitor(2).Bottom}),
              (Rect{saved.Left, saved.Top, saved.Right, saved.Bottom}));
    EXPECT_TRUE(dialogs.asked.empty());
}

}  // namespace
}  // namespace plenvik
