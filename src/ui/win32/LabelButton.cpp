#include "ui/win32/LabelButton.h"

#include <memory>

#include "platform/win32/ControlSubclass.h"
#include "platform/win32/Window.h"

namespace plenvik::win32 {
namespace {

// One label; its window owns it (Window::handOver).
class LabelButton : public Window {
public:
    HWND create(HWND parent, int id, const std::wstring& caption, int x, int y, int width, int height) {
        return Window::create({.name = kLabelButtonClass, .cursor = IDC_HAND}, {.caption = caption,
                                                                                .style = WS_CHILD | WS_VISIBLE,
                                                                                .x = x,
                                                                                .y = y,
                                                                                .width = width,
                                                                                .height = height,
                                                                                .parent = parent,
                                                                                .id = id});
    }

private:
    LRESULT handleMessage(UINT m, WPARAM wp, LPARAM lp) override;
    void notifyParent(WORD code);
    void paint();

    bool pressed_ = false;
    bool tracking_ = false;  // the left button went down on the label and has not come up yet
    COLORREF fore_ = GetSysColor(COLOR_BTNTEXT);
    HFONT font_ = nullptr;
};

void LabelButton::notifyParent(WORD code) {
    SendMessageW(GetParent(handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(handle()), code), reinterpret_cast<LPARAM>(handle()));
}

void LabelButton::paint() {
    const HWND w = handle();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT rc;
    GetClientRect(w, &rc);
    // Pressed: the tool-tip background colour, opaque, with a single border.
    FillRect(dc, &rc, GetSysColorBrush(pressed_ ? COLOR_INFOBK : COLOR_BTNFACE));
    if (pressed_) FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    const int length = GetWindowTextLengthW(w);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(w, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(w) ? fore_ : GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    InflateRect(&rc, -3, -2);
    DrawTextW(dc, text.c_str(), length, &rc, DT_LEFT | DT_VCENTER | DT_WORDBREAK);
    SelectObject(dc, old);
    EndPaint(w, &ps);
}

LRESULT LabelButton::handleMessage(UINT m, WPARAM wp, LPARAM lp) {
    const HWND w = handle();
    switch (m) {
    case WM_PAINT: paint(); return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wp);
        if (LOWORD(lp)) InvalidateRect(w, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT r = defaultHandling(m, wp, lp);
        InvalidateRect(w, nullptr, TRUE);
        return r;
    }
    case WM_SETCURSOR: SetCursor(LoadCursorW(nullptr, IDC_HAND)); return TRUE;
    case WM_LBUTTONDOWN:
        tracking_ = true;
        SetCapture(w);
        notifyParent(kLabelButtonDown);
        return 0;
    case WM_LBUTTONUP: {
        const bool tracked = tracking_;
        tracking_ = false;  // before the capture goes, so that its loss is no release outside
        if (GetCapture() == w) ReleaseCapture();
        POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        RECT rc;
        GetClientRect(w, &rc);
        if (PtInRect(&rc, pt))
            notifyParent(kLabelButtonUp);
        else if (tracked)
            notifyParent(kLabelButtonReleasedOutside);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (tracking_) {
            tracking_ = false;
            notifyParent(kLabelButtonReleasedOutside);
        }
        return 0;
    case kLabelButtonSetPressed:
        if (pressed_ != (wp != 0)) {
            pressed_ = wp != 0;
            InvalidateRect(w, nullptr, TRUE);
        }
        return 0;
    case kLabelButtonSetForeColor:
        fore_ = static_cast<COLORREF>(wp);
        InvalidateRect(w, nullptr, TRUE);
        return 0;
    case kLabelButtonIsPressed: return pressed_;
    }
    return defaultHandling(m, wp, lp);
}

}  // namespace

HWND createLabelButton(HWND parent, int id, const std::wstring& caption, int x, int y, int width, int height) {
    auto button = std::make_unique<LabelButton>();
    const HWND window = button->create(parent, id, caption, x, y, width, height);
    Window::handOver(std::move(button));
    return window;
}

void dropPressedLookOnRelease(HWND label) {
    subclassControl(label, [](HWND w, UINT m, WPARAM wp, LPARAM lp) {
        const LRESULT result = passToControl(w, m, wp, lp);
        if (m == WM_LBUTTONUP || m == WM_CAPTURECHANGED) SendMessageW(w, kLabelButtonSetPressed, FALSE, 0);
        return result;
    });
}

}  // namespace plenvik::win32
