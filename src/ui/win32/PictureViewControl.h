// The picture control on Windows: a child window that shows a PictureView's surface 1:1 from an
// off-screen 8-bit DIB section, inside a border, with the scroll bars sHor and sVer where the picture
// does not fit, and lets the user drag the picture with the mouse. The model draws; this window only
// copies the surface's pixels when they changed and repaints.
//
//   PictureView picture(&files);
//   PictureViewControl control(picture, parent, kIdCtlPictureView, x, y, width, height);
//   picture.NewPicture(kMainPictureWidth, kMainPictureHeight, rgbColor(255, 255, 255));
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/win32/Scoped.h"
#include "platform/win32/Window.h"
#include "ui/PictureView.h"
#include "ui/win32/PictureViewControlDecoder.h"

namespace plenvik::win32 {

inline constexpr const wchar_t* kPictureViewClass = L"PlenvikPictureView";
// Child ids of the two scroll bars.
inline constexpr int kPictureViewHorId = 1;  // sHor
inline constexpr int kPictureViewVerId = 2;  // sVer

// A mouse or key event passed on to the container.
struct PictureViewEvent {
    enum class Kind { MouseDown, MouseMove, MouseUp, Click, DblClick, KeyDown, KeyPress, KeyUp } kind = Kind::MouseDown;
    int button = 0;    // 1 left, 2 right, 4 middle (mouse events)
    int shift = 0;     // 1 shift, 2 control, 4 alt
    int x = 0, y = 0;  // container (parent client) pixels
    int key = 0;       // virtual key (KeyDown/KeyUp) or character (KeyPress)
};

class PictureViewControl : public Window {
public:
    PictureViewControl(PictureView& model, HWND parent, int id, int x, int y, int width, int height);
    ~PictureViewControl() override;
    PictureViewControl(const PictureViewControl&) = delete;
    PictureViewControl& operator=(const PictureViewControl&) = delete;

    PictureView& model() { return model_; }

    // The off-screen surface's device context (a copy of the model's pixels, current when returned;
    // nullptr without a picture). Draw through the model: what is drawn here directly is replaced
    // by the model's pixels at the next change.
    HDC PictureDC();
    // The area that shows the picture, in client coordinates.
    RECT viewRect() const;

    void setEventHandler(std::function<void(const PictureViewEvent&)> handler) { events_ = std::move(handler); }

private:
    LRESULT handleMessage(UINT m, WPARAM wp, LPARAM lp) override;
    void modelChanged();
    void syncSurface();
    void layout();
    void updateBars();
    void paint(HDC dc);
    void onScroll(int bar, int code);
    void passOn(PictureViewEvent::Kind kind, WPARAM wp, LPARAM lp, int button);
    int borderWidth() const;

    PictureView& model_;
    HWND hor_ = nullptr, ver_ = nullptr;
    UniqueMemoryDc surfaceDc_;
    UniqueGdiObject surfaceBitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    int bitsWidth_ = 0, bitsHeight_ = 0;
    std::uint64_t syncedRevision_ = ~0ull;
    bool pressed_ = false;
    int pressedButton_ = 0;
    std::function<void(const PictureViewEvent&)> events_;
    WicPictureDecoder decoder_;
};

}  // namespace plenvik::win32
