#include "ui/win32/DpiFont.h"

#include <utility>

namespace plenvik::win32 {
namespace {

HGDIOBJ makeFont(const LOGFONTW& described, int describedDpi, int dotsPerInch) {
    if (described.lfHeight == 0 && described.lfFaceName[0] == L'\0') return nullptr;  // nothing described
    LOGFONTW scaled = described;
    scaled.lfHeight = MulDiv(described.lfHeight, dotsPerInch, describedDpi > 0 ? describedDpi : 96);
    scaled.lfWidth = MulDiv(described.lfWidth, dotsPerInch, describedDpi > 0 ? describedDpi : 96);
    return CreateFontIndirectW(&scaled);
}

}  // namespace

DpiFont::DpiFont(const LOGFONTW& described, int describedDpi, int dotsPerInch)
    : described_(described), describedDpi_(describedDpi), made_(makeFont(described, describedDpi, dotsPerInch)) {}

DpiFont DpiFont::messageFont(int dotsPerInch) {
    NONCLIENTMETRICSW system{};
    system.cbSize = sizeof system;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0)) return {};
    // The metrics are those of the system's resolution, the primary screen's.
    WindowDc screen(nullptr);
    const int systemDpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return DpiFont(system.lfMessageFont, systemDpi, dotsPerInch);
}

UniqueGdiObject DpiFont::remake(int dotsPerInch) {
    HGDIOBJ next = makeFont(described_, describedDpi_, dotsPerInch);
    if (!next) return {};
    UniqueGdiObject previous(made_.release());
    made_.reset(next);
    return previous;
}

}  // namespace plenvik::win32
