#include "ui/win32/FormMetrics.h"

#include <map>

#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {

HGDIOBJ FormMetrics::font() const {
    if (!fonts.empty() && fonts.front().get()) return fonts.front().get();
    return GetStockObject(DEFAULT_GUI_FONT);
}

FormMetrics readFormMetrics() {
    FormMetrics metrics;
    WindowDc screen(nullptr);
    metrics.dotsPerInch = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    metrics.fonts.push_back(DpiFont::messageFont(metrics.dotsPerInch));
    return metrics;
}

HFONT addFormFont(FormMetrics& metrics, const LOGFONTW& described, int describedDpi) {
    if (metrics.fonts.empty()) metrics.fonts.emplace_back();  // keeps fonts[0] for the message font
    return metrics.fonts.emplace_back(described, describedDpi, metrics.dotsPerInch).get();
}

void rescaleForm(HWND form, FormMetrics& metrics, int dotsPerInch, const RECT& suggested) {
    const int old = metrics.dotsPerInch;
    if (dotsPerInch > 0 && dotsPerInch != old) {
        // The old fonts stay until every control has its new one.
        std::vector<UniqueGdiObject> previous;
        std::map<HGDIOBJ, HGDIOBJ> successor;
        for (DpiFont& font : metrics.fonts) {
            UniqueGdiObject made = font.remake(dotsPerInch);
            if (made) successor[made.get()] = font.get();
            previous.push_back(std::move(made));
        }
        metrics.dotsPerInch = dotsPerInch;
        for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
            SetWindowPos(c, nullptr, MulDiv(r.left, dotsPerInch, old), MulDiv(r.top, dotsPerInch, old),
                         MulDiv(r.right - r.left, dotsPerInch, old), MulDiv(r.bottom - r.top, dotsPerInch, old),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            const auto had = reinterpret_cast<HGDIOBJ>(SendMessageW(c, WM_GETFONT, 0, 0));
            const auto next = successor.find(had);
            SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(next != successor.end() ? next->second : metrics.font()), TRUE);
        }
    }
    SetWindowPos(form, nullptr, suggested.left, suggested.top, suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowShape formShape(const std::string& caption, const FormMetrics& metrics, int clientWidth, int clientHeight, HWND owner) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, metrics.scaled(clientWidth), metrics.scaled(clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT around{};
    if (!owner || !GetWindowRect(owner, &around)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    return {.exStyle = exStyle,
            .caption = widen(caption),
            .style = style,
            .x = around.left + (around.right - around.left - width) / 2,
            .y = around.top + (around.bottom - around.top - height) / 2,
            .width = width,
            .height = height,
            .parent = owner};
}

HWND addFormControl(HWND form, const FormMetrics& metrics, const wchar_t* windowClass, const std::string& caption, DWORD style, int id,
                    int x, int y, int width, int height, DWORD exStyle) {
    HWND control = CreateWindowExW(exStyle, windowClass, widen(caption).c_str(), WS_CHILD | WS_VISIBLE | style, metrics.scaled(x),
                                   metrics.scaled(y), metrics.scaled(width), metrics.scaled(height), form,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(metrics.font()), FALSE);
    return control;
}

}  // namespace plenvik::win32
