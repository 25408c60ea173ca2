#include "ui/win32/ProgressBarPainter.h"

#include <cmath>

#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

COLORREF toColorRef(OleColor c) {
    const PaletteColor p = resolveColor(c, [](int index) { return static_cast<OleColor>(GetSysColor(index)); });
    return RGB(p.r, p.g, p.b);
}

UniqueGdiObject createFont(HDC dc, const ProgressFont& font) {
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.size * GetDeviceCaps(dc, LOGPIXELSY) / 72.0));
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = widen(font.name);
    wcsncpy_s(lf.lfFaceName, face.c_str(), _TRUNCATE);
    return UniqueGdiObject(CreateFontIndirectW(&lf));
}

void drawTextClipped(HDC dc, const std::wstring& text, RECT box, UINT flags, const RECT& clip, COLORREF color) {
    if (clip.right <= clip.left || clip.bottom <= clip.top) return;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SetTextColor(dc, color);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, flags);
    RestoreDC(dc, saved);
}

}  // namespace

void paintProgressBar(HDC dc, const ProgressBarDrawing& d) {
    if (!d.visible) return;
    const RECT bar{d.bar.left, d.bar.top, d.bar.right, d.bar.bottom};
    const RECT filled{d.filled.left, d.filled.top, d.filled.right, d.filled.bottom};
    const COLORREF back = toColorRef(d.backColour), fore = toColorRef(d.foreColour);
    UniqueGdiObject backBrush(CreateSolidBrush(back)), foreBrush(CreateSolidBrush(fore));
    FillRect(dc, &bar, static_cast<HBRUSH>(backBrush.get()));
    if (filled.right > filled.left) FillRect(dc, &filled, static_cast<HBRUSH>(foreBrush.get()));
    RECT edge = bar;
    DrawEdge(dc, &edge, static_cast<UINT>(d.edge), BF_RECT);
    if (!d.showText) return;

    UniqueGdiObject font = createFont(dc, d.font);
    Selection selected(dc, font.get());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = GetTextColor(dc);
    const std::wstring text = widen(d.text);
    // One line, centred vertically; the caller's flags choose the alignment and ellipsis.
    const UINT flags = static_cast<UINT>(d.textAlign | d.textStyle) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    const RECT empty{filled.right, bar.top, bar.right, bar.bottom};
    drawTextClipped(dc, text, bar, flags, empty, fore);
    drawTextClipped(dc, text, bar, flags, filled, back);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

void drawProgressBar(const ProgressBarDrawing& d) {
    HWND target = reinterpret_cast<HWND>(d.target);
    if (!IsWindow(target)) return;
    if (!d.visible) {
        const RECT bar{d.bar.left, d.bar.top, d.bar.right, d.bar.bottom};
        InvalidateRect(target, &bar, TRUE);
        return;
    }
    WindowDc dc(target);
    if (dc.get()) paintProgressBar(dc.get(), d);
}

void bindProgressBar(ProgressBar& bar) {
    WindowDc screen(nullptr);
    const int dpiX = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
    const int dpiY = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    bar.setDotsPerInch(dpiX, dpiY);
    bar.setPainter(drawProgressBar);
}

}  // namespace plenvik::win32
