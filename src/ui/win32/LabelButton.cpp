#include "ui/win32/LabelButton.h"

namespace plenvik::win32 {
namespace {

struct LabelState {
    bool pressed = false;
    COLORREF fore = GetSysColor(COLOR_BTNTEXT);
    HFONT font = nullptr;
};

LabelState* stateOf(HWND w) { return reinterpret_cast<LabelState*>(GetWindowLongPtrW(w, GWLP_USERDATA)); }

void notifyParent(HWND w, WORD code) {
    SendMessageW(GetParent(w), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(w), code), reinterpret_cast<LPARAM>(w));
}

void paint(HWND w, LabelState& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT rc;
    GetClientRect(w, &rc);
    // Pressed: the tool-tip background colour, opaque, with a single border.
    FillRect(dc, &rc, GetSysColorBrush(s.pressed ? COLOR_INFOBK : COLOR_BTNFACE));
    if (s.pressed) FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    const int length = GetWindowTextLengthW(w);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(w, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(w) ? s.fore : GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dc, s.font ? s.font : GetStockObject(DEFAULT_GUI_FONT));
    InflateRect(&rc, -3, -2);
    DrawTextW(dc, text.c_str(), length, &rc, DT_LEFT | DT_VCENTER | DT_WORDBREAK);
    SelectObject(dc, old);
    EndPaint(w, &ps);
}

LRESULT CALLBACK labelProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    LabelState* s = stateOf(w);
    switch (m) {
    case WM_NCCREATE:
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new LabelState));
        break;
    case WM_NCDESTROY:
        delete s;
        SetWindowLongPtrW(w, GWLP_USERDATA, 0);
        break;
    case WM_PAINT:
        if (s) { paint(w, *s); return 0; }
        break;
    case WM_SETFONT:
        if (s) s->font = reinterpret_cast<HFONT>(wp);
        if (LOWORD(lp)) InvalidateRect(w, nullptr, TRUE);
        return 0;
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT r = DefWindowProcW(w, m, wp, lp);
        InvalidateRect(w, nullptr, TRUE);
        return r;
    }
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    case WM_LBUTTONDOWN:
        SetCapture(w);
        notifyParent(w, kLabelButtonDown);
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() == w) ReleaseCapture();
        POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        RECT rc;
        GetClientRect(w, &rc);
        if (PtInRect(&rc, pt)) notifyParent(w, kLabelButtonUp);
        return 0;
    }
    case kLabelButtonSetPressed:
        if (s && s->pressed != (wp != 0)) { s->pressed = wp != 0; InvalidateRect(w, nullptr, TRUE); }
        return 0;
    case kLabelButtonSetForeColor:
        if (s) { s->fore = static_cast<COLORREF>(wp); InvalidateRect(w, nullptr, TRUE); }
        return 0;
    case kLabelButtonIsPressed:
        return s && s->pressed;
    }
    return DefWindowProcW(w, m, wp, lp);
}

}  // namespace

void registerLabelButton() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = labelProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
        wc.lpszClassName = kLabelButtonClass;
        return RegisterClassW(&wc);
    }();
    (void)atom;
}

HWND createLabelButton(HWND parent, int id, const std::wstring& caption, int x, int y, int width, int height) {
    registerLabelButton();
    return CreateWindowExW(0, kLabelButtonClass, caption.c_str(), WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

}  // namespace plenvik::win32
