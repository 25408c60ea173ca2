#include "ui/Protocol.h"

#include <gtest/gtest.h>

#include "platform/sim/SimBasics.h"
#include "platform/sim/SimDialogs.h"

namespace plenvik {
namespace {

class ProtocolTest : public ::testing::Test {
protected:
    sim::SimClock clock;
    sim::SimLocale locale;
    sim::SimEventPump events;
    Protocol protocol{clock, locale, events};

    // Top first: "text (count)".
    std::vector<std::string> rows() const {
        std::vector<std::string> out;
        for (const auto& r : protocol.list().rows()) out.push_back(r.sub(2) + " (" + r.sub(1) + ")");
        return out;
    }
};

TEST_F(ProtocolTest, ColumnsAndTimeText) {
    ASSERT_EQ(protocol.list().columns().size(), 4u);
    EXPECT_EQ(protocol.list().columns()[0].header, "Datum/Zeit");
    EXPECT_EQ(protocol.list().columns()[3].widthTwips, 0);
    clock.time = {2026, 12, 6, 7, 25, 6};
    EXPECT_EQ(protocol.timeText(), "06.12.2026 07:25:06:6");  // the second again, without leading zero
}

TEST_F(ProtocolTest, RepeatedTextCountsUpAndKeepsFirstTimeAndInfo) {
    protocol.add("Monitore ermitteln...", "erste", false, false);
    const std::string firstTime = protocol.list().row(0).text;
    clock.advanceSeconds(5);
    protocol.add("Monitore ermitteln...", "zweite", false, false);
    protocol.add("Monitore ermitteln...", "", false, false);
    ASSERT_EQ(protocol.list().size(), 1);
    EXPECT_EQ(protocol.list().row(0).sub(1), "3");
    EXPECT_EQ(protocol.list().row(0).text, firstTime);
    EXPECT_EQ(protocol.list().row(0).sub(3), "erste");
    EXPECT_EQ(events.pumps, 1);  // only a new row lets events run
}

TEST_F(ProtocolTest, StartThenCloseMergesTheTwoSeparators) {
    protocol.add("Desktop Sicherung erstellen...", "", true, false);
    EXPECT_EQ(protocol.headline(), "Desktop Sicherung erstellen...");
    protocol.close("Abbruch durch Benutzer");
    const std::vector<std::string> expected = {"Abbruch durch Benutzer (1)", std::string(kProtocolSeparator) + " (2)",
                                               "Desktop Sicherung erstellen... (1)"};
    EXPECT_EQ(rows(), expected);
}

TEST_F(ProtocolTest, StartAlwaysEmptiesTheList) {
    protocol.add("A", "", false, false);
    protocol.add("B", "", false, false);
    protocol.add("B", "", true, false);
    const std::vector<std::string> expected = {std::string(kProtocolSeparator) + " (1)", "B (1)"};
    EXPECT_EQ(rows(), expected);
}

TEST_F(ProtocolTest, CloseFlagPutsTheSeparatorFirstSoTheSameTextGetsANewRow) {
    protocol.add("X", "", false, false);
    protocol.add("X", "", false, true);
    const std::vector<std::string> expected = {"X (1)", std::string(kProtocolSeparator) + " (1)", "X (1)"};
    EXPECT_EQ(rows(), expected);
}

TEST_F(ProtocolTest, ResizeLeavesSmallWindowsAlone) {
    const Protocol::ListSize current{5000, 3000, 7000};
    const auto small = protocol.resize(1900, 900, 800, current, 2400);
    EXPECT_EQ(small.width, 5000);
    EXPECT_EQ(small.height, 3000);
    EXPECT_EQ(small.textColumnWidth, 7000);
    const auto big = protocol.resize(9000, 4000, 3700, current, 2400);
    EXPECT_EQ(big.width, 9000);
    EXPECT_EQ(big.height, 3700);
    EXPECT_EQ(big.textColumnWidth, 9000 - 2400 - 450);
}

}  // namespace
}  // namespace plenvik
