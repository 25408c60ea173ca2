// The monitor-layout picture: scale, offsets, rectangles and labels as drawn into the picture control,
// the icon marks, and that the picture's pixels and JPEG bytes are the same in every build.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "display/MonitorPicture.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik {
namespace {

MonitorRecord monitor(int nr, int left, int top, int width, int height) {
    MonitorRecord m;
    m.Nr = nr;
    m.Left = left;
    m.Top = top;
    m.Right = left + width;
    m.Bottom = top + height;
    m.Width = width;
    m.Height = height;
    return m;
}

// The table as the main window keeps it: element 0 unused.
std::vector<MonitorRecord> table(std::vector<MonitorRecord> monitors) {
    monitors.insert(monitors.begin(), MonitorRecord{});
    return monitors;
}

struct Recorded {
    std::vector<PaintCall> rectangles, texts;
};

class MonitorPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        picture.NewPicture(256, 256, rgbColor(255, 255, 255));
        picture.setPaintObserver(
            [this](const PaintCall& c) { (c.kind == PaintCall::Kind::Rectangle ? calls.rectangles : calls.texts).push_back(c); });
    }
    void draw(const std::vector<MonitorRecord>& monitors) { drawMonitorPicture(picture, monitors, hOp, vOp, handler); }
    std::uint8_t at(int x, int y) const { return picture.surface()->index(x, y); }

    test::ScriptedErrorHandler handler;
    PictureView picture;
    Recorded calls;
    float hOp = -1, vOp = -1;
};

TEST_F(MonitorPictureTest, OneMonitorFillsTheWidthWithATwoPixelMargin) {
    draw(table({monitor(1, 0, 0, 1280, 1024)}));
    ASSERT_EQ(handler.entered, std::vector<std::string>{"Plenvik.frmMain.fc_DesktopMonitorsPictureGet"});
    EXPECT_TRUE(handler.reports.empty());
    EXPECT_EQ(hOp, static_cast<float>(1280.0 / 254.0)) << "width ratio 5.0 beats height ratio 4.0";
    EXPECT_EQ(vOp, hOp);

    ASSERT_EQ(calls.rectangles.size(), 1u);
    const PaintCall& r = calls.rectangles[0];
    EXPECT_DOUBLE_EQ(r.left, 1);
    EXPECT_DOUBLE_EQ(r.top, 1);
    EXPECT_NEAR(r.right, 254, 1e-4);
    EXPECT_NEAR(r.bottom, 203.2, 1e-4);
    ASSERT_EQ(calls.texts.size(), 1u);
    EXPECT_EQ(calls.texts[0].text, "Mon.1");
    EXPECT_NEAR(calls.texts[0].left, 6, 1e-4);
    EXPECT_NEAR(calls.texts[0].top, 205.2, 1e-4);

    // The outline covers columns 1 ... 253 and rows 1 ... 202; the label starts at (6, 205).
    const std::uint8_t black = IndexedSurface::kBlackIndex;
    EXPECT_EQ(at(1, 100), black);
    EXPECT_EQ(at(253, 100), black);
    EXPECT_EQ(at(100, 1), black);
    EXPECT_EQ(at(100, 202), black);
    EXPECT_NE(at(254, 100), black);
    EXPECT_NE(at(100, 203), black);
    EXPECT_EQ(at(0, 0), IndexedSurface::kBackgroundIndex) << "outside the rectangle the picture is untouched";
    EXPECT_EQ(at(6, 205), black) << "top-left pixel of the M";
    EXPECT_EQ(at(7, 205), IndexedSurface::kBackgroundIndex);
}

TEST_F(MonitorPictureTest, AMonitorLeftOfThePrimaryShiftsTheLayoutRight) {
    draw(table({monitor(1, 0, 0, 1920, 1080), monitor(2, -1024, 0, 1024, 768)}));
    const double op = static_cast<float>(2944.0 / 254.0);
    ASSERT_EQ(hOp, static_cast<float>(op));
    ASSERT_EQ(calls.rectangles.size(), 2u);
    EXPECT_NEAR(calls.rectangles[0].left, 1024 / op + 1, 1e-9) << "primary after the offset";
    EXPECT_NEAR(calls.rectangles[0].right, 254, 1e-4);
    EXPECT_DOUBLE_EQ(calls.rectangles[1].left, 1) << "the left monitor starts at x = 1";
    EXPECT_NEAR(calls.rectangles[1].right, 1024 / op, 1e-9);
    EXPECT_NEAR(calls.rectangles[1].bottom, 768 / op, 1e-9);
    EXPECT_EQ(calls.texts[0].text, "Mon.1");
    EXPECT_EQ(calls.texts[1].text, "Mon.2");
    EXPECT_NEAR(calls.texts[1].left, 6, 1e-9);
}

TEST_F(MonitorPictureTest, AStackedLayoutIsLimitedByItsHeight) {
    // 1024 wide, 768 + 600 = 1368 high, the upper monitor above the primary origin.
    draw(table({monitor(1, 0, 0, 1024, 768), monitor(2, 0, -600, 800, 600)}));
    const double op = static_cast<float>(1368.0 / 254.0);
    ASSERT_EQ(vOp, static_cast<float>(op));
    EXPECT_NEAR(calls.rectangles[0].top, 600 / op + 1, 1e-9);
    EXPECT_DOUBLE_EQ(calls.rectangles[1].top, 1);
    EXPECT_NEAR(calls.rectangles[0].bottom, 254, 1e-4);
}

TEST_F(MonitorPictureTest, FromFourMonitorsTheLabelsUseTheShortForm) {
    draw(table({monitor(1, 0, 0, 800, 600), monitor(2, 800, 0, 800, 600), monitor(3, 1600, 0, 800, 600)}));
    ASSERT_EQ(calls.texts.size(), 3u);
    EXPECT_EQ(calls.texts[2].text, "Mon.3");
    calls = {};
    draw(table({monitor(1, 0, 0, 800, 600), monitor(2, 800, 0, 800, 600), monitor(3, 1600, 0, 800, 600), monitor(4, 2400, 0, 800, 600)}));
    ASSERT_EQ(calls.texts.size(), 4u);
    EXPECT_EQ(calls.texts[0].text, "M.1");
    EXPECT_EQ(calls.texts[3].text, "M.4");
}

TEST_F(MonitorPictureTest, WithoutMonitorsTheHandlerHearsOfItAndNothingIsDrawn) {
    hOp = vOp = 7.5f;
    const std::uint64_t before = picture.revision();
    handler.answers = {kActionLeave};
    draw(table({}));
    ASSERT_EQ(handler.reports.size(), 1u);
    EXPECT_EQ(handler.reports[0].procedure, "Plenvik.frmMain.fc_DesktopMonitorsPictureGet");
    EXPECT_EQ(handler.reports[0].number, 11);
    EXPECT_EQ(hOp, 7.5f) << "the operators keep their values";
    EXPECT_EQ(picture.revision(), before);

    handler.answers = {kActionNext};
    picture.ClearPicture();
    draw(table({monitor(1, 0, 0, 1280, 1024)}));
    EXPECT_EQ(handler.reports.size(), 2u) << "a picture without pixels cannot be scaled either";
    EXPECT_TRUE(calls.rectangles.empty());
}

TEST_F(MonitorPictureTest, IconMarksAreTwoByTwoSquaresAtTheScaledPosition) {
    picture.PaintRectangle(-1, -1, 255, 255);
    calls = {};
    ASSERT_TRUE(markIconOnPicture(picture, 100, 50, 5.0f, 5.0f));
    ASSERT_EQ(calls.rectangles.size(), 1u);
    EXPECT_DOUBLE_EQ(calls.rectangles[0].left, 21);
    EXPECT_DOUBLE_EQ(calls.rectangles[0].top, 11);
    EXPECT_DOUBLE_EQ(calls.rectangles[0].right, 23);
    EXPECT_DOUBLE_EQ(calls.rectangles[0].bottom, 13);
    for (int y = 10; y <= 13; ++y)
        for (int x = 20; x <= 23; ++x)
            EXPECT_EQ(at(x, y) == IndexedSurface::kBlackIndex, x >= 21 && x <= 22 && y >= 11 && y <= 12) << x << "," << y;

    // Ties go to the even pixel: 2 / 4 + 1 = 1.5 -> 2, 6 / 4 + 1 = 2.5 -> 2.
    calls = {};
    markIconOnPicture(picture, 2, 6, 4.0f, 4.0f);
    EXPECT_DOUBLE_EQ(calls.rectangles[0].left, 2);
    EXPECT_DOUBLE_EQ(calls.rectangles[0].top, 2);
    // Negative positions (an icon on a monitor left of the primary) round the same way.
    calls = {};
    markIconOnPicture(picture, -10, 0, 4.0f, 4.0f);
    EXPECT_DOUBLE_EQ(calls.rectangles[0].left, -2) << "-1.5 rounds to -2";

    calls = {};
    EXPECT_FALSE(markIconOnPicture(picture, 10, 10, 0.0f, 5.0f));
    EXPECT_TRUE(calls.rectangles.empty()) << "no scale, no mark";
}

TEST_F(MonitorPictureTest, ClearingGivesTheMainPictureSizeAllInTheBrushColour) {
    picture.PaintRectangle(10, 10, 50, 50);
    clearMonitorPicture(picture);
    ASSERT_EQ(picture.PictureWidth(), kMainPictureWidth);
    ASSERT_EQ(picture.PictureHeight(), kMainPictureHeight);
    const IndexedSurface& s = *picture.surface();
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            ASSERT_TRUE(s.color(x, y).r == 255 && s.color(x, y).g == 255 && s.color(x, y).b == 255) << "pixel " << x << "," << y;
}

// FNV-1a, to compare whole pictures and files with a value computed once.
std::uint32_t fnv1a(const std::uint8_t* data, std::size_t size) {
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
    return h;
}

// The save run's picture of two monitors with icons. These values were taken from the Linux build;
// the same test runs in the Windows builds, so it proves that the picture and the JPEG bytes that go
// into a project file do not depend on the platform.
TEST_F(MonitorPictureTest, ThePictureAndItsJpegAreTheSameOnEveryPlatform) {
    clearMonitorPicture(picture);
    draw(table({monitor(1, 0, 0, 1920, 1080), monitor(2, -1280, 56, 1280, 1024)}));
    for (int i = 0; i < 40; ++i) markIconOnPicture(picture, -1250 + i * 75, 20 + (i % 9) * 110, hOp, vOp);
    const IndexedSurface& s = *picture.surface();
    EXPECT_EQ(fnv1a(s.indices().data(), s.indices().size()), 4029166439u);
    const std::vector<std::uint8_t> jpeg = picture.GetJPEGByteData(80);
    EXPECT_EQ(jpeg.size(), 3784u);
    EXPECT_EQ(fnv1a(jpeg.data(), jpeg.size()), 1598242489u);
}

}  // namespace
}  // namespace plenvik
