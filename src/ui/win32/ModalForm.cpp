#include "ui/win32/ModalForm.h"

#include "platform/win32/Wide.h"

namespace plenvik::win32 {

FormMetrics readFormMetrics() {
    FormMetrics metrics;
    WindowDc screen(nullptr);
    metrics.dotsPerInch = metrics.messageFontDpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    NONCLIENTMETRICSW system{};
    system.cbSize = sizeof system;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0)) {
        metrics.messageFont = system.lfMessageFont;
        metrics.font.reset(CreateFontIndirectW(&system.lfMessageFont));
    }
    return metrics;
}

void rescaleForm(HWND form, FormMetrics& metrics, int dotsPerInch, const RECT& suggested) {
    const int old = metrics.dotsPerInch;
    if (dotsPerInch > 0 && dotsPerInch != old) {
        LOGFONTW scaled = metrics.messageFont;
        scaled.lfHeight = MulDiv(metrics.messageFont.lfHeight, dotsPerInch, metrics.messageFontDpi);
        HFONT font = metrics.messageFont.lfHeight ? CreateFontIndirectW(&scaled) : nullptr;
        for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
            SetWindowPos(c, nullptr, MulDiv(r.left, dotsPerInch, old), MulDiv(r.top, dotsPerInch, old),
                         MulDiv(r.right - r.left, dotsPerInch, old), MulDiv(r.bottom - r.top, dotsPerInch, old),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            if (font) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
        if (font) metrics.font.reset(font);  // the old font goes once no control uses it
        metrics.dotsPerInch = dotsPerInch;
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
    const HGDIOBJ font = metrics.font ? metrics.font.get() : GetStockObject(DEFAULT_GUI_FONT);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void runModalForm(HWND window, HWND owner, const ModalFormCalls& calls) {
    MSG msg;
    while (calls.visible()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // the program ends: pass it on
            calls.closeNow();
            break;
        }
        const bool ours = msg.hwnd == window || IsChild(window, msg.hwnd);
        if (ours && msg.message == WM_SYSCHAR && (msg.wParam == L's' || msg.wParam == L'S')) {
            calls.pressClose();
            continue;
        }
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // Give the owner back its input before this window goes, so that activation returns to it.
    if (owner) EnableWindow(owner, TRUE);
    ShowWindow(window, SW_HIDE);
}

}  // namespace plenvik::win32
