// A window's font at the window's resolution. It is described once, at the resolution it was read at
// (the system's message font, or a form's own), and made afresh when the window moves to a screen of
// another resolution (WM_DPICHANGED). The font it made last is its own and goes with it.
#pragma once

#include <windows.h>

#include "platform/win32/Scoped.h"

namespace plenvik::win32 {

class DpiFont {
public:
    DpiFont() = default;
    DpiFont(const LOGFONTW& described, int describedDpi, int dotsPerInch);

    // The system's message font at dotsPerInch (no font where the system names none).
    static DpiFont messageFont(int dotsPerInch);

    // The font made for the current resolution; null where it could not be made.
    HFONT get() const { return static_cast<HFONT>(made_.get()); }

    // Makes the font for dotsPerInch and returns the one made before, which the caller keeps until no
    // control uses it any more. Where the new one cannot be made, the old one stays and nothing returns.
    [[nodiscard]] UniqueGdiObject remake(int dotsPerInch);

private:
    LOGFONTW described_{};
    int describedDpi_ = 96;
    UniqueGdiObject made_;
};

}  // namespace plenvik::win32
