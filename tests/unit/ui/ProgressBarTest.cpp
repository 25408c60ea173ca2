// ProgressBar: counting, the wrap bit, percentages rounded with ties to even, and what it draws.
#include <gtest/gtest.h>

#include <vector>

#include "ui/ProgressBar.h"

namespace plenvik {
namespace {

class ProgressBarTest : public ::testing::Test {
protected:
    void init(long min, long max, long value, long step, long status = kProgressVisible) {
        ProgressBarInit s = mainWindowProgressBar(42, ProgressFont{"Arial", 7}, max);
        s.p_Min = min;
        s.p_Value = value;
        s.p_StepValue = step;
        s.p_Status = status;
        bar.initialize(s);
        bar.setPainter([this](const ProgressBarDrawing& d) { drawn.push_back(d); });
    }
    ProgressBar bar;
    std::vector<ProgressBarDrawing> drawn;
};

TEST_F(ProgressBarTest, ValueSetsThePercentageOfTheRequestedValue) {
    struct Case {
        long max, requested, stored, percentage;
    };
    const Case cases[] = {
        {123, 2, 2, 2},                       // 1.63
        {123, 10, 10, 8},                     // 8.13
        {123, 123, 123, 100}, {8, 1, 1, 12},  // 12.5: ties to even
        {8, 3, 3, 38},                        // 37.5
        {8, 5, 5, 62},                        // 62.5
        {123, 200, 123, 100},                 // stops at the maximum; 163 % is limited to 100
        {123, -5, -5, 0},                     // below the range: no negative bar
        {0, 5, 0, 0},                         // no range: nothing to divide by
    };
    for (const Case& c : cases) {
        init(0, c.max, 0, 0);
        bar.value(c.requested);
        EXPECT_EQ(bar.value(), c.stored) << c.requested << " of " << c.max;
        EXPECT_EQ(bar.ValuePercentage(), c.percentage) << c.requested << " of " << c.max;
    }
}

TEST_F(ProgressBarTest, AddUsesTheStepAndStopsOrWrapsAtTheMaximum) {
    init(0, 10, 2, 0);
    bar.Add();
    EXPECT_EQ(bar.value(), 3) << "no step stored: 1";
    init(0, 10, 2, 3);
    bar.Add();
    EXPECT_EQ(bar.value(), 5) << "the stored step";
    bar.Add(4);
    EXPECT_EQ(bar.value(), 9);
    EXPECT_EQ(bar.ValuePercentage(), 90);
    bar.Add(4);
    EXPECT_EQ(bar.value(), 10) << "without the wrap bit the value stays at the maximum";
    EXPECT_EQ(bar.ValuePercentage(), 100);

    init(0, 10, 9, 0, kProgressVisible | kProgressWrap);
    bar.Add(2);
    EXPECT_EQ(bar.value(), 0) << "with the wrap bit it restarts at the minimum";
    EXPECT_EQ(bar.ValuePercentage(), 0);
    init(3, 10, 9, 0, kProgressVisible | kProgressWrap);
    bar.Add(5);
    EXPECT_EQ(bar.value(), 3);
    EXPECT_EQ(bar.ValuePercentage(), 30);
    init(-4, 10, 9, 0, kProgressVisible | kProgressWrap);
    bar.Add(5);
    EXPECT_EQ(bar.value(), 0) << "a minimum below 1 restarts at 0";
}

TEST_F(ProgressBarTest, PercentageAbove100Draws100AndReadyAndReInitRedraw) {
    init(0, 123, 2, 0);
    bar.ValuePercentage(150);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(bar.ValuePercentage(), 100);
    EXPECT_EQ(drawn.back().filled, drawn.back().bar) << "a full bar";
    EXPECT_EQ(drawn.back().text, "100%");
    bar.value(10);
    bar.ValuePercentage(0);
    bar.ReInit();
    EXPECT_EQ(bar.ValuePercentage(), 8);
    bar.Ready();
    EXPECT_EQ(bar.ValuePercentage(), 100);
    EXPECT_EQ(drawn.size(), 5u) << "each change draws once";
}

TEST_F(ProgressBarTest, TheMainWindowsBarIsDrawnInPixelsWithItsColoursAndText) {
    init(0, 123, 2, 0);
    bar.setDotsPerInch(96, 96);
    bar.ValuePercentage(50);
    const ProgressBarDrawing& d = drawn.back();
    EXPECT_EQ(d.target, 42u);
    EXPECT_TRUE(d.visible);
    EXPECT_EQ(d.bar, (PixelRect{0, 5, 119, 18})) << "5, 75, 1790 x 195 twips at 15 twips per pixel";
    EXPECT_EQ(d.filled, (PixelRect{0, 5, 59, 18}));
    EXPECT_EQ(d.backColour, rgbColor(255, 255, 192));
    EXPECT_EQ(d.foreColour, rgbColor(0, 0, 128));
    EXPECT_EQ(d.edge, kEdgeEtched);
    EXPECT_EQ(d.textAlign, kTextAlignCenter);
    EXPECT_EQ(d.textStyle, kTextStyleEndEllipsis);
    EXPECT_EQ(d.font, (ProgressFont{"Arial", 7}));
    EXPECT_TRUE(d.showText);
    EXPECT_EQ(d.text, "50%");

    ProgressBarInit s = bar.settings();
    s.p_StrMessage = "Sichern";
    s.p_LngScaleMode = kScalePixels;
    bar.initialize(s);
    bar.setDotsPerInch(120, 120);  // ignored in pixel mode
    bar.Paint();
    EXPECT_EQ(drawn.back().text, "Sichern 50%");
    EXPECT_EQ(drawn.back().bar, (PixelRect{5, 75, 1795, 270}));
}

TEST_F(ProgressBarTest, HidingClearsAndMovingRedraws) {
    init(0, 123, 2, 0);
    EXPECT_TRUE(bar.Visible());
    bar.Visible(false);
    EXPECT_EQ(bar.settings().p_Status & kProgressVisible, 0);
    ASSERT_FALSE(drawn.empty());
    EXPECT_FALSE(drawn.back().visible);
    bar.Visible(true);
    bar.Top(150);
    EXPECT_EQ(bar.Top(), 150);
    EXPECT_EQ(drawn.back().bar.top, 10);
    EXPECT_TRUE(drawn.back().visible);
}

}  // namespace
}  // namespace plenvik
