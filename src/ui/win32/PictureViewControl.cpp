#include "ui/win32/PictureViewControl.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

namespace plenvik::win32 {
namespace {

OleColor sysColor(int index) { return static_cast<OleColor>(GetSysColor(index)); }

COLORREF toColorRef(PaletteColor c) { return RGB(c.r, c.g, c.b); }

int shiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

}  // namespace

PictureViewControl::PictureViewControl(PictureView& model, HWND parent, int id, int x, int y, int width, int height) : model_(model) {
    const HWND window =
        create({.name = kPictureViewClass, .style = CS_DBLCLKS}, {.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN,
                                                                  .x = x,
                                                                  .y = y,
                                                                  .width = width,
                                                                  .height = height,
                                                                  .parent = parent,
                                                                  .id = id});
    if (!window) return;
    hor_ = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_HORZ, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPictureViewHorId)), GetModuleHandleW(nullptr), nullptr);
    ver_ = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPictureViewVerId)), GetModuleHandleW(nullptr), nullptr);
    model_.setSystemColors(sysColor);
    model_.setDecoder(&decoder_);
    model_.setRepaintHandler([this] { modelChanged(); });
    syncSurface();
    layout();
}

PictureViewControl::~PictureViewControl() {
    model_.setRepaintHandler(nullptr);
    model_.setDecoder(nullptr);
    destroy();
    if (surfaceDc_ && oldBitmap_) SelectObject(surfaceDc_.get(), oldBitmap_);
}

int PictureViewControl::borderWidth() const {
    switch (model_.BorderStyle()) {
    case 0: return 0;
    case 2: return 1;
    default: return 2;
    }
}

RECT PictureViewControl::viewRect() const {
    RECT rc{};
    GetClientRect(handle(), &rc);
    const int b = borderWidth();
    const PictureScroller& s = model_.scroller();
    return RECT{rc.left + b, rc.top + b, rc.left + b + s.viewWidth(), rc.top + b + s.viewHeight()};
}

HDC PictureViewControl::PictureDC() {
    syncSurface();
    return bits_ ? surfaceDc_.get() : nullptr;
}

void PictureViewControl::modelChanged() {
    const bool sizeChanged = model_.PictureWidth() != bitsWidth_ || model_.PictureHeight() != bitsHeight_;
    syncSurface();
    if (sizeChanged) layout();
    InvalidateRect(handle(), nullptr, FALSE);
}

// Copies the model's indices and palette into the DIB section when they changed.
void PictureViewControl::syncSurface() {
    const IndexedSurface* surface = model_.surface();
    if (surface == nullptr) {
        if (surfaceDc_ && oldBitmap_) SelectObject(surfaceDc_.get(), oldBitmap_);
        oldBitmap_ = nullptr;
        surfaceBitmap_.reset();
        bits_ = nullptr;
        bitsWidth_ = bitsHeight_ = 0;
        syncedRevision_ = model_.revision();
        return;
    }
    if (!surfaceDc_) surfaceDc_.reset(CreateCompatibleDC(nullptr));
    if (!surfaceDc_) return;
    if (!bits_ || surface->width() != bitsWidth_ || surface->height() != bitsHeight_) {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[IndexedSurface::kPaletteSize];
        } info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = surface->width();
        info.header.biHeight = -surface->height();  // top row first, as the model keeps it
        info.header.biPlanes = 1;
        info.header.biBitCount = 8;
        info.header.biCompression = BI_RGB;
        info.header.biClrUsed = IndexedSurface::kPaletteSize;
        void* bits = nullptr;
        UniqueGdiObject bitmap(CreateDIBSection(surfaceDc_.get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap || !bits) return;
        if (oldBitmap_) SelectObject(surfaceDc_.get(), oldBitmap_);
        oldBitmap_ = SelectObject(surfaceDc_.get(), bitmap.get());
        surfaceBitmap_ = std::move(bitmap);
        bits_ = static_cast<std::uint8_t*>(bits);
        bitsWidth_ = surface->width();
        bitsHeight_ = surface->height();
        syncedRevision_ = ~0ull;
    }
    if (syncedRevision_ != model_.revision()) {
        RGBQUAD colors[IndexedSurface::kPaletteSize];
        for (int i = 0; i < IndexedSurface::kPaletteSize; ++i) {
            const PaletteColor c = surface->palette()[static_cast<std::size_t>(i)];
            colors[i] = RGBQUAD{c.b, c.g, c.r, 0};
        }
        SetDIBColorTable(surfaceDc_.get(), 0, IndexedSurface::kPaletteSize, colors);
        GdiFlush();
        // Same row layout (8 bits, rows padded to 4 bytes, top row first): one copy.
        std::memcpy(bits_, surface->indices().data(), surface->indices().size());
        syncedRevision_ = model_.revision();
    }
}

void PictureViewControl::layout() {
    RECT rc{};
    GetClientRect(handle(), &rc);
    const int b = borderWidth();
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    model_.ReSize(rc.right - 2 * b, rc.bottom - 2 * b, bar);
    const PictureScroller& s = model_.scroller();
    MoveWindow(hor_, b, b + s.viewHeight(), s.viewWidth(), bar, FALSE);
    MoveWindow(ver_, b + s.viewWidth(), b, bar, s.viewHeight(), FALSE);
    ShowWindow(hor_, s.sHor().visible ? SW_SHOWNA : SW_HIDE);
    ShowWindow(ver_, s.sVer().visible ? SW_SHOWNA : SW_HIDE);
    updateBars();
    InvalidateRect(handle(), nullptr, FALSE);
}

void PictureViewControl::updateBars() {
    const PictureScroller& s = model_.scroller();
    const auto set = [](HWND bar, const ScrollBarState& state) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = state.max + state.page - 1;  // so that the highest position is state.max
        si.nPage = static_cast<UINT>(state.page);
        si.nPos = state.value;
        SetScrollInfo(bar, SB_CTL, &si, TRUE);
    };
    set(hor_, s.sHor());
    set(ver_, s.sVer());
}

void PictureViewControl::onScroll(int bar, int code) {
    const PictureScroller& s = model_.scroller();
    const ScrollBarState& state = bar == SB_HORZ ? s.sHor() : s.sVer();
    int value = state.value;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    GetScrollInfo(bar == SB_HORZ ? hor_ : ver_, SB_CTL, &si);
    switch (code) {
    case SB_LINEUP: value -= 8; break;
    case SB_LINEDOWN: value += 8; break;
    case SB_PAGEUP: value -= std::max(state.page, 1); break;
    case SB_PAGEDOWN: value += std::max(state.page, 1); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: value = si.nTrackPos; break;
    case SB_TOP: value = 0; break;
    case SB_BOTTOM: value = state.max; break;
    default: return;
    }
    if (bar == SB_HORZ)
        model_.scrollTo(value, s.sVer().value);
    else
        model_.scrollTo(s.sHor().value, value);
    updateBars();
    InvalidateRect(handle(), nullptr, FALSE);
}

void PictureViewControl::paint(HDC dc) {
    syncSurface();
    RECT client{};
    GetClientRect(handle(), &client);
    const RECT view = viewRect();
    const PictureScroller& s = model_.scroller();
    HBRUSH back = CreateSolidBrush(toColorRef(resolveColor(model_.BackColor(), sysColor)));
    UniqueGdiObject backOwner(back);

    // The picture 1:1 from the scroll position; the rest of the view in the back colour.
    const int shownWidth = std::min<int>(model_.PictureWidth() - s.sHor().value, view.right - view.left);
    const int shownHeight = std::min<int>(model_.PictureHeight() - s.sVer().value, view.bottom - view.top);
    if (bits_ && shownWidth > 0 && shownHeight > 0) {
        BitBlt(dc, view.left, view.top, shownWidth, shownHeight, surfaceDc_.get(), s.sHor().value, s.sVer().value, SRCCOPY);
    }
    const int pictureRight = view.left + std::max(shownWidth, 0), pictureBottom = view.top + std::max(shownHeight, 0);
    RECT rest{pictureRight, view.top, view.right, view.bottom};
    FillRect(dc, &rest, back);
    rest = RECT{view.left, pictureBottom, pictureRight, view.bottom};
    FillRect(dc, &rest, back);

    // The corner between the two bars.
    if (s.sHor().visible && s.sVer().visible) {
        const int bar = GetSystemMetrics(SM_CXVSCROLL);
        RECT corner{view.right, view.bottom, view.right + bar, view.bottom + bar};
        if (model_.CornerStyle() == 1)
            DrawFrameControl(dc, &corner, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        else
            FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    switch (model_.BorderStyle()) {
    case 0: break;
    case 2: FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME)); break;
    default: DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT); break;
    }
}

void PictureViewControl::passOn(PictureViewEvent::Kind kind, WPARAM wp, LPARAM lp, int button) {
    if (!events_) return;
    PictureViewEvent e;
    e.kind = kind;
    e.shift = shiftState();
    if (kind == PictureViewEvent::Kind::KeyDown || kind == PictureViewEvent::Kind::KeyUp || kind == PictureViewEvent::Kind::KeyPress) {
        e.key = static_cast<int>(wp);
    } else {
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        MapWindowPoints(handle(), GetParent(handle()), &pt, 1);
        e.x = pt.x;
        e.y = pt.y;
        e.button = button;
    }
    events_(e);
}

LRESULT PictureViewControl::handleMessage(UINT m, WPARAM wp, LPARAM lp) {
    using Kind = PictureViewEvent::Kind;
    switch (m) {
    case WM_SIZE:
        if (ver_) layout();  // not while the window is being created
        return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle(), &ps);
        paint(dc);
        EndPaint(handle(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lp) == hor_) onScroll(SB_HORZ, LOWORD(wp));
        return 0;
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lp) == ver_) onScroll(SB_VERT, LOWORD(wp));
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && model_.PicMouseScroll() && (model_.scroller().sHor().visible || model_.scroller().sVer().visible)) {
            SetCursor(LoadCursorW(nullptr, model_.scroller().dragging() ? IDC_SIZEALL : IDC_HAND));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const int button = m == WM_LBUTTONDOWN ? 1 : m == WM_RBUTTONDOWN ? 2 : 4;
        SetFocus(handle());
        SetCapture(handle());
        pressed_ = true;
        pressedButton_ = button;
        model_.mouseDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        passOn(Kind::MouseDown, wp, lp, button);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (model_.mouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp))) {
            updateBars();
            InvalidateRect(handle(), nullptr, FALSE);
        }
        passOn(Kind::MouseMove, wp, lp, (wp & MK_LBUTTON ? 1 : 0) | (wp & MK_RBUTTON ? 2 : 0) | (wp & MK_MBUTTON ? 4 : 0));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int button = m == WM_LBUTTONUP ? 1 : m == WM_RBUTTONUP ? 2 : 4;
        model_.mouseUp();
        if (GetCapture() == handle()) ReleaseCapture();
        passOn(Kind::MouseUp, wp, lp, button);
        RECT rc{};
        GetClientRect(handle(), &rc);
        const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (pressed_ && pressedButton_ == button && PtInRect(&rc, pt)) passOn(Kind::Click, wp, lp, button);
        pressed_ = false;
        return 0;
    }
    case WM_LBUTTONDBLCLK: passOn(Kind::DblClick, wp, lp, 1); return 0;
    case WM_CAPTURECHANGED: model_.mouseUp(); return 0;
    case WM_KEYDOWN: passOn(Kind::KeyDown, wp, lp, 0); return 0;
    case WM_KEYUP: passOn(Kind::KeyUp, wp, lp, 0); return 0;
    case WM_CHAR: passOn(Kind::KeyPress, wp, lp, 0); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    return defaultHandling(m, wp, lp);
}

}  // namespace plenvik::win32
