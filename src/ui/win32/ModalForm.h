// The message loop of a modal form shown in its own top-level window: the owner takes no input
// meanwhile, Alt+S presses the form's "&Schließen", and a WM_QUIT that arrives closes the form and is
// passed on, so that the program still ends.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/Scoped.h"
#include "platform/win32/Window.h"

namespace plenvik::win32 {

// The screen's resolution and the system's message font: forms are laid out in pixels at 96 dpi and
// scaled by the resolution.
struct FormMetrics {
    int dotsPerInch = 96;
    UniqueGdiObject font;
    // The system's message font as read, and the resolution it was read at.
    LOGFONTW messageFont{};
    int messageFontDpi = 96;
    int scaled(int pixels) const { return MulDiv(pixels, dotsPerInch, 96); }
};
FormMetrics readFormMetrics();

// A modal form's top-level window (dialog frame, caption and close box) whose client area is
// clientWidth x clientHeight unscaled pixels, centred over the owner (over the work area without one).
WindowShape formShape(const std::string& caption, const FormMetrics& metrics, int clientWidth, int clientHeight, HWND owner);

struct ModalFormCalls {
    std::function<bool()> visible;     // the loop runs while the form is visible
    std::function<void()> pressClose;  // the "&Schließen" label pressed (its mnemonic)
    std::function<void()> closeNow;    // the form closes at once (the program is ending)
};

// A child control of a form at unscaled pixel coordinates, in the form's font.
HWND addFormControl(HWND form, const FormMetrics& metrics, const wchar_t* windowClass, const std::string& caption, DWORD style, int id,
                    int x, int y, int width, int height, DWORD exStyle = 0);

// WM_DPICHANGED of a form: the form moved to a screen of another resolution (or its scaling changed).
// Every control is scaled by the new resolution over the old one and gets the message font made afresh
// for it; the window takes the rectangle Windows suggests.
void rescaleForm(HWND form, FormMetrics& metrics, int dotsPerInch, const RECT& suggested);

// Shows the window and runs its messages until the form hides; hides the window afterwards.
void runModalForm(HWND window, HWND owner, const ModalFormCalls& calls);

}  // namespace plenvik::win32
