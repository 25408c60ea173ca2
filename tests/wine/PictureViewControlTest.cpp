// The picture control as a real Win32 window: it shows the model's surface 1:1, shows scroll bars only
// for a picture larger than itself, scrolls and drags, passes mouse events on, loads a JPEG with WIC,
// and the model's rectangles follow the rules of GDI's own Rectangle and FillRect.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/Canvas.h"
#include "display/MonitorPicture.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32FileSystem.h"
#include "ui/win32/PictureViewControl.h"

namespace plenvik::test {
namespace {

using namespace plenvik::win32;

constexpr int kControlId = 77;

std::uint32_t rgbOf(PaletteColor c) { return (static_cast<std::uint32_t>(c.r) << 16) | (c.g << 8) | c.b; }

class PictureViewControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"Bildtest", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
    }
    void TearDown() override {
        control.reset();
        DestroyWindow(parent);
    }
    void create(int width, int height) {
        control = std::make_unique<PictureViewControl>(picture, parent, kControlId, 10, 20, width, height);
        ASSERT_NE(control->handle(), nullptr);
    }
    // The bar's own shown state (the test's parent window stays hidden: showing windows is slow here).
    bool barVisible(int id) const { return (GetWindowLongW(GetDlgItem(control->handle(), id), GWL_STYLE) & WS_VISIBLE) != 0; }
    // The control's client area as it paints it.
    std::unique_ptr<Canvas> printed() const {
        RECT rc{};
        GetClientRect(control->handle(), &rc);
        auto canvas = std::make_unique<Canvas>(rc.right, rc.bottom);
        SendMessageW(control->handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc.get()), PRF_CLIENT);
        return canvas;
    }
    // Every pixel of the view area shows the surface pixel at the scroll offset.
    void expectViewShowsPicture() const {
        const auto canvas = printed();
        const RECT view = control->viewRect();
        const PictureScroller& s = picture.scroller();
        const IndexedSurface& surface = *picture.surface();
        int checked = 0;
        for (int y = view.top; y < view.bottom; ++y)
            for (int x = view.left; x < view.right; ++x) {
                const int px = x - view.left + s.sHor().value, py = y - view.top + s.sVer().value;
                if (px >= surface.width() || py >= surface.height()) continue;
                ASSERT_EQ(canvas->rgb(x, y), rgbOf(surface.color(px, py))) << "client " << x << "," << y;
                ++checked;
            }
        EXPECT_GT(checked, 1000);
    }

    HWND parent = nullptr;
    Win32FileSystem files;
    PictureView picture{&files};
    std::unique_ptr<PictureViewControl> control;
};

std::vector<MonitorRecord> twoMonitors() {
    MonitorRecord a, b;
    a.Right = 1920;
    a.Bottom = 1080;
    b.Left = -1280;
    b.Top = 56;
    b.Right = 0;
    b.Bottom = 1080;
    return {MonitorRecord{}, a, b};
}

class NoErrors : public ErrorHandler {
public:
    void callStack(const std::string&) override {}
    int onError(const std::string&, std::string&, const RuntimeError& e) override {
        ADD_FAILURE() << e.description();
        return kActionLeave;
    }
};

TEST_F(PictureViewControlTest, ShowsTheSurfaceOneToOneWithBarsForALargePicture) {
    create(184, 140);
    clearMonitorPicture(picture);
    NoErrors errors;
    float h = 0, v = 0;
    drawMonitorPicture(picture, twoMonitors(), h, v, errors);
    markIconOnPicture(picture, 100, 100, h, v);
    EXPECT_TRUE(barVisible(kPictureViewHorId)) << "254 pixels do not fit into 180";
    EXPECT_TRUE(barVisible(kPictureViewVerId));
    expectViewShowsPicture();

    // The DIB section behind PictureDC holds the same pixels.
    HDC dc = control->PictureDC();
    ASSERT_NE(dc, nullptr);
    for (const POINT p : {POINT{1, 1}, POINT{100, 60}, POINT{253, 253}, POINT{20, 100}}) {
        const COLORREF c = GetPixel(dc, p.x, p.y);
        const PaletteColor m = picture.surface()->color(p.x, p.y);
        EXPECT_EQ(c, RGB(m.r, m.g, m.b)) << p.x << "," << p.y;
    }

    // Scrolling to the end shows the picture's bottom-right part.
    SendMessageW(control->handle(), WM_HSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(GetDlgItem(control->handle(), kPictureViewHorId)));
    SendMessageW(control->handle(), WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(GetDlgItem(control->handle(), kPictureViewVerId)));
    EXPECT_EQ(picture.scroller().sHor().value, picture.scroller().sHor().max);
    EXPECT_EQ(picture.scroller().sVer().value, picture.scroller().sVer().max);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    GetScrollInfo(GetDlgItem(control->handle(), kPictureViewHorId), SB_CTL, &si);
    EXPECT_EQ(si.nPos, picture.scroller().sHor().max) << "the bar follows";
    expectViewShowsPicture();
}

TEST_F(PictureViewControlTest, ASmallerPictureHasNoBarsAndTheRestInTheBackColour) {
    create(184, 140);
    picture.BackColor(RGB(10, 200, 30));
    picture.NewPicture(100, 60, RGB(255, 255, 255));
    picture.PaintRectangle(5, 5, 50, 40);
    EXPECT_FALSE(barVisible(kPictureViewHorId));
    EXPECT_FALSE(barVisible(kPictureViewVerId));
    expectViewShowsPicture();
    const auto canvas = printed();
    const RECT view = control->viewRect();
    EXPECT_EQ(canvas->rgb(view.left + 150, view.top + 20), 0x0AC81Eu) << "right of the picture";
    EXPECT_EQ(canvas->rgb(view.left + 20, view.top + 100), 0x0AC81Eu) << "below the picture";

    // Dragging moves nothing.
    SendMessageW(control->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    SendMessageW(control->handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(control->handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(picture.scroller().sHor().value, 0);

    // A wide, low picture needs only the horizontal bar.
    picture.NewPicture(300, 60, RGB(255, 255, 255));
    EXPECT_TRUE(barVisible(kPictureViewHorId));
    EXPECT_FALSE(barVisible(kPictureViewVerId));
}

TEST_F(PictureViewControlTest, DraggingScrollsAndTheMouseEventsReachTheContainer) {
    create(184, 140);
    picture.NewPicture(254, 254, RGB(255, 255, 255));
    std::vector<PictureViewEvent> events;
    control->setEventHandler([&](const PictureViewEvent& e) { events.push_back(e); });
    SendMessageW(control->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    SendMessageW(control->handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 80));
    SendMessageW(control->handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 80));
    EXPECT_EQ(picture.scroller().sHor().value, 40);
    EXPECT_EQ(picture.scroller().sVer().value, 20);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    GetScrollInfo(GetDlgItem(control->handle(), kPictureViewVerId), SB_CTL, &si);
    EXPECT_EQ(si.nPos, 20);
    expectViewShowsPicture();

    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, PictureViewEvent::Kind::MouseDown);
    EXPECT_EQ(events[0].x, 110) << "container coordinates";
    EXPECT_EQ(events[0].y, 120);
    EXPECT_EQ(events[0].button, 1);
    EXPECT_EQ(events[1].kind, PictureViewEvent::Kind::MouseMove);
    EXPECT_EQ(events[2].kind, PictureViewEvent::Kind::MouseUp);
    EXPECT_EQ(events[3].kind, PictureViewEvent::Kind::Click);

    picture.PicMouseScroll(false);
    SendMessageW(control->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    SendMessageW(control->handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(control->handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(picture.scroller().sHor().value, 40) << "mouse scrolling switched off";
}

TEST_F(PictureViewControlTest, OpenPictureLoadsAJpegThroughThePlatformDecoder) {
    create(184, 140);
    clearMonitorPicture(picture);
    NoErrors errors;
    float h = 0, v = 0;
    drawMonitorPicture(picture, twoMonitors(), h, v, errors);
    const IndexedSurface drawn = *picture.surface();

    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::string file = narrow(temp) + "plenvik-picture-" + std::to_string(GetCurrentProcessId()) + ".jpg";
    ASSERT_TRUE(picture.SaveJPEG(file, true, 80));
    picture.ClearPicture();
    EXPECT_EQ(picture.PictureWidth(), 0);

    ASSERT_TRUE(picture.OpenPicture(file)) << "WIC decodes the program's own JPEG";
    DeleteFileW(widen(file).c_str());
    EXPECT_TRUE(picture.PictureRendered());
    ASSERT_EQ(picture.PictureWidth(), kMainPictureWidth);
    ASSERT_EQ(picture.PictureHeight(), kMainPictureHeight);
    // Black outlines come back dark, white insides light.
    int wrong = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const bool dark = drawn.color(x, y).r < 128;
            if ((picture.surface()->color(x, y).r < 128) != dark) ++wrong;
        }
    EXPECT_EQ(wrong, 0);
    expectViewShowsPicture();
}

// The model's drawing against GDI's on the same rectangles: black pen, white brush; FillRect.
TEST(PictureDrawingTest, RectanglesCoverTheSamePixelsAsGdi) {
    struct Case {
        int l, t, r, b;
    };
    const Case cases[] = {{2, 3, 12, 9}, {12, 9, 2, 3},    {4, 4, 5, 9},       {4, 4, 6, 6},
                          {4, 4, 4, 9},  {-1, -1, 20, 20}, {-1, -1, 255, 255}, {15, 1, 30, 6}};
    for (const Case& c : cases) {
        Canvas gdi(20, 14);
        RECT all{0, 0, 20, 14};
        FillRect(gdi.dc.get(), &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        SelectObject(gdi.dc.get(), GetStockObject(BLACK_PEN));
        SelectObject(gdi.dc.get(), GetStockObject(WHITE_BRUSH));
        Rectangle(gdi.dc.get(), c.l, c.t, c.r, c.b);
        RECT fill{c.l, c.t, c.r, c.b};
        Canvas gdiFill(20, 14);
        FillRect(gdiFill.dc.get(), &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        UniqueGdiObject red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(gdiFill.dc.get(), &fill, static_cast<HBRUSH>(red.get()));

        PictureView model;
        model.NewPicture(20, 14, RGB(128, 128, 128));
        model.PaintRectangle(c.l, c.t, c.r, c.b);
        PictureView filled;
        filled.NewPicture(20, 14, RGB(128, 128, 128));
        filled.PaintRectangle(c.l, c.t, c.r, c.b, 0, 0, 0, RGB(255, 0, 0));
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 20; ++x) {
                ASSERT_EQ(rgbOf(model.surface()->color(x, y)), gdi.rgb(x, y))
                    << "Rectangle(" << c.l << "," << c.t << "," << c.r << "," << c.b << ") at " << x << "," << y;
                ASSERT_EQ(rgbOf(filled.surface()->color(x, y)), gdiFill.rgb(x, y))
                    << "FillRect(" << c.l << "," << c.t << "," << c.r << "," << c.b << ") at " << x << "," << y;
            }
    }
}

}  // namespace
}  // namespace plenvik::test
