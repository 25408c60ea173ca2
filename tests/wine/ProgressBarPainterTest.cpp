// The progress bar drawn by GDI: back and fore colours split at the percentage, the etched edge, and
// the centred percentage text in the colour that contrasts with what lies under it.
#include <windows.h>

#include <gtest/gtest.h>

#include "driver/Canvas.h"
#include "platform/win32/Scoped.h"
#include "ui/win32/ProgressBarPainter.h"

namespace plenvik::test {
namespace {

using namespace plenvik::win32;

constexpr COLORREF kYellow = RGB(255, 255, 192), kNavy = RGB(0, 0, 128);

ProgressBarDrawing barAt(long percentage, bool text) {
    ProgressBar bar;
    ProgressBarInit s = mainWindowProgressBar(0, ProgressFont{"Arial", 7}, 123);
    s.p_LngScaleMode = kScalePixels;
    s.p_LngLeft = 2;
    s.p_LngTop = 2;
    s.p_LngWidth = 160;
    s.p_LngHeight = 20;
    s.p_BlnDisplayPercentage = text;
    bar.initialize(s);
    bar.ValuePercentage(percentage);
    return bar.drawing();
}

// Pixels of the middle band (inside the edge) that are not the fill colour under them: the text. Text
// may be smoothed, so "navy-like" and "yellow-like" go by brightness.
bool brightish(COLORREF p) { return GetRValue(p) + GetGValue(p) > 300; }
struct TextPixels {
    int overEmpty = 0, overFilled = 0, foreOverEmpty = 0, backOverFilled = 0;
};
TextPixels textPixels(const Canvas& c, const ProgressBarDrawing& d) {
    TextPixels t;
    for (int y = d.bar.top + 3; y < d.bar.bottom - 3; ++y)
        for (int x = d.bar.left + 3; x < d.bar.right - 3; ++x) {
            const bool filled = x < d.filled.right;
            const COLORREF p = c.color(x, y);
            if (filled && p != kNavy) {
                ++t.overFilled;
                if (brightish(p)) ++t.backOverFilled;
            }
            if (!filled && p != kYellow) {
                ++t.overEmpty;
                if (!brightish(p)) ++t.foreOverEmpty;
            }
        }
    return t;
}

TEST(ProgressBarPainterTest, FillsToThePercentageWithAnEtchedEdge) {
    Canvas c(170, 30, RGB(255, 255, 255));
    const ProgressBarDrawing d = barAt(25, false);
    paintProgressBar(c.dc.get(), d);
    EXPECT_EQ(d.filled.right, 2 + 40);
    EXPECT_EQ(c.color(20, 12), kNavy);
    EXPECT_EQ(c.color(40, 12), kNavy);
    EXPECT_EQ(c.color(43, 12), kYellow);
    EXPECT_EQ(c.color(150, 12), kYellow);
    EXPECT_EQ(c.color(1, 12), RGB(255, 255, 255)) << "nothing outside the bar";
    // The etched edge: shadow outside, highlight inside, on the top-left.
    EXPECT_EQ(c.color(2, 12), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.color(3, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    const TextPixels none = textPixels(c, d);
    EXPECT_EQ(none.overEmpty + none.overFilled, 0) << "no text when the percentage is not shown";
}

TEST(ProgressBarPainterTest, DrawsTheCentredPercentageInContrastingColours) {
    Canvas c(170, 30, RGB(255, 255, 255));
    const ProgressBarDrawing d = barAt(50, true);
    ASSERT_EQ(d.text, "50%");
    paintProgressBar(c.dc.get(), d);
    const TextPixels t = textPixels(c, d);
    EXPECT_GT(t.foreOverEmpty, 5) << "navy text over the yellow half";
    EXPECT_GT(t.backOverFilled, 5) << "yellow text over the navy half";

    // Centred: at 0 % the text pixels lie around the middle, none near the ends.
    Canvas empty(170, 30, RGB(255, 255, 255));
    const ProgressBarDrawing zero = barAt(0, true);
    paintProgressBar(empty.dc.get(), zero);
    int left = 1000, right = -1;
    for (int y = zero.bar.top + 3; y < zero.bar.bottom - 3; ++y)
        for (int x = zero.bar.left + 3; x < zero.bar.right - 3; ++x)
            if (empty.color(x, y) != kYellow) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LT(left, right) << "the text 0% is drawn";
    const int middle = (zero.bar.left + zero.bar.right) / 2;
    EXPECT_LE(std::abs((left + right) / 2 - middle), 3);
}

TEST(ProgressBarPainterTest, ABoundBarDrawsIntoItsWindowAndFollowsItsValue) {
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    ProgressBar bar;
    bar.initialize(mainWindowProgressBar(reinterpret_cast<std::uintptr_t>(window), ProgressFont{"Arial", 7}, 123));
    bindProgressBar(bar);
    bar.value(123);  // full
    const ProgressBarDrawing d = bar.drawing();
    EXPECT_EQ(d.bar, (PixelRect{0, 5, 119, 18})) << "twips of the main window at 96 dpi";

    // Read the window back through a print of its client area is not possible for GDI drawn from
    // outside its paint handler, so read the screen where the window lies.
    WindowDc screen(window);
    EXPECT_EQ(GetPixel(screen.get(), 10, 11), kNavy);
    bar.Add(0);  // stays full
    bar.value(0);
    EXPECT_EQ(GetPixel(screen.get(), 10, 11), kYellow) << "an empty bar after the value went back";
    DestroyWindow(window);
}

}  // namespace
}  // namespace plenvik::test
