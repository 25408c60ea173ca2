// The resolution and fonts of a form, a top-level window whose controls are placed in pixels at 96 dpi
// and scaled by the window's resolution, and how the form follows WM_DPICHANGED. The settings dialogs,
// the message box, the about box, the error window and the protocol window all scale this way.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Window.h"
#include "ui/win32/DpiFont.h"

namespace plenvik::win32 {

struct FormMetrics {
    int dotsPerInch = 96;
    // fonts[0] is the system's message font; addFormFont adds a form's own ones.
    std::vector<DpiFont> fonts;
    int scaled(int pixels) const { return MulDiv(pixels, dotsPerInch, 96); }
    // The message font (a stock font where the system named none).
    HGDIOBJ font() const;
};
// The screen's resolution and the system's message font.
FormMetrics readFormMetrics();

// Another font of the form (bold, fixed-pitch, ...), described at describedDpi; made now at the form's
// resolution and remade by rescaleForm. Returns it (null where it could not be made); a control keeps
// it until rescaleForm gives it the one made for the new resolution.
HFONT addFormFont(FormMetrics& metrics, const LOGFONTW& described, int describedDpi);

// A modal form's top-level window (dialog frame, caption and close box) whose client area is
// clientWidth x clientHeight unscaled pixels, centred over the owner (over the work area without one).
WindowShape formShape(const std::string& caption, const FormMetrics& metrics, int clientWidth, int clientHeight, HWND owner);

// A child control of a form at unscaled pixel coordinates, in the form's message font.
HWND addFormControl(HWND form, const FormMetrics& metrics, const wchar_t* windowClass, const std::string& caption, DWORD style, int id,
                    int x, int y, int width, int height, DWORD exStyle = 0);

// WM_DPICHANGED of a form: the form moved to a screen of another resolution (or its scaling changed).
// Every control is scaled by the new resolution over the old one; the form's fonts are made afresh for
// it and each control gets the new one of the font it had (the message font where it had none of the
// form's); the window takes the rectangle Windows suggests. A form with a layout of its own lays out
// after this.
void rescaleForm(HWND form, FormMetrics& metrics, int dotsPerInch, const RECT& suggested);

}  // namespace plenvik::win32
