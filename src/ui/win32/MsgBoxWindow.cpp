#include "ui/win32/MsgBoxWindow.h"

#include "platform/win32/FormClass.h"
#include "platform/win32/Wide.h"
#include "ui/win32/LabelButton.h"

namespace plenvik::win32 {
namespace {

constexpr int kClientWidth = 420, kClientHeight = 226;

void registerClass() { registerFormClass(kMsgBoxWindowClass, DefWindowProcW); }  // the procedure is set per window

HWND child(HWND parent, const wchar_t* cls, DWORD style, DWORD exStyle, int id, int x, int y, int w, int h) {
    HWND c = CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return c;
}

void setText(HWND w, const std::string& utf8) {
    const std::wstring text = widen(utf8);
    const int length = GetWindowTextLengthW(w);
    std::wstring current(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(w, current.data(), length + 1);
    current.resize(static_cast<std::size_t>(length));
    if (current != text) SetWindowTextW(w, text.c_str());
}

// A multi-line edit control wants CR LF line ends.
std::string withCrLf(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

}  // namespace

MsgBoxWindow::MsgBoxWindow(frmMsgBox& form, HWND owner) : form_(form), owner_(owner) {
    registerClass();
    registerLabelButton();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT area{};
    if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    window_ = CreateWindowExW(exStyle, kMsgBoxWindowClass, L"", style, x, y, width, height, owner, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MsgBoxWindow::windowProc));

    HWND title = child(window_, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, kMsgBoxTitleId, 12, 10, 396, 20);
    LOGFONTW lf{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    titleFont_.reset(CreateFontIndirectW(&lf));
    SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
    child(window_, L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
          kMsgBoxMessageId, 12, 36, 396, 112);
    child(window_, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, kMsgBoxInfoId, 12, 156, 396, 18);
    HWND ok = createLabelButton(window_, kMsgBoxOkId, L"OK", 222, 186, 90, 26);
    HWND cancel = createLabelButton(window_, kMsgBoxCancelId, L"Abbrechen", 318, 186, 90, 26);
    SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SendMessageW(cancel, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);

    form_.setChangeHandler([this] { mirror(); });
    mirror();
}

MsgBoxWindow::~MsgBoxWindow() {
    form_.setChangeHandler(nullptr);
    if (window_) {
        KillTimer(window_, kMsgBoxTimerId);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void MsgBoxWindow::mirror() {
    if (!window_) return;
    setText(window_, form_.Caption());
    setText(GetDlgItem(window_, kMsgBoxTitleId), form_.lblTitle());
    setText(GetDlgItem(window_, kMsgBoxMessageId), withCrLf(form_.txtMessage()));
    setText(GetDlgItem(window_, kMsgBoxInfoId), form_.lblInfo());
    SendDlgItemMessageW(window_, kMsgBoxOkId, kLabelButtonSetPressed, form_.lblCmdOk().pressed, 0);
    SendDlgItemMessageW(window_, kMsgBoxCancelId, kLabelButtonSetPressed, form_.lblCmdCancel().pressed, 0);
    if (form_.TimerEnabled() && !timerRunning_) {
        SetTimer(window_, kMsgBoxTimerId, kMsgBoxTimerInterval, nullptr);
        timerRunning_ = true;
    } else if (!form_.TimerEnabled() && timerRunning_) {
        KillTimer(window_, kMsgBoxTimerId);
        timerRunning_ = false;
    }
    // While modal, showModal hides the window after giving the owner back its input.
    if (!form_.Visible() && !modal_ && IsWindowVisible(window_)) ShowWindow(window_, SW_HIDE);
}

int MsgBoxWindow::showModal() {
    if (!window_) return form_.Result() == kMsgBoxOpen ? kMsgBoxCancelled : form_.Result();
    const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
    if (owner_) EnableWindow(owner_, FALSE);
    modal_ = true;
    form_.Show();
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(GetDlgItem(window_, kMsgBoxMessageId));
    MSG msg;
    while (form_.Visible()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the caller's loop
            form_.Form_QueryUnload();
            break;
        }
        if (IsDialogMessageW(window_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    modal_ = false;
    // The owner gets its input and activation back before the window goes, so it stays in front.
    if (owner_ && ownerWasEnabled) {
        EnableWindow(owner_, TRUE);
        SetActiveWindow(owner_);
    }
    if (IsWindowVisible(window_)) ShowWindow(window_, SW_HIDE);
    return form_.Result();
}

LRESULT CALLBACK MsgBoxWindow::windowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<MsgBoxWindow*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    return self ? self->handle(m, wp, lp) : DefWindowProcW(w, m, wp, lp);
}

LRESULT MsgBoxWindow::handle(UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case WM_TIMER:
        if (wp == kMsgBoxTimerId) {
            // The model stops and restarts the timer itself; the window timer keeps its rhythm.
            form_.tmrMain_Timer();
            return 0;
        }
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wp);
        const WORD code = HIWORD(wp);
        if (id == kMsgBoxOkId && code == kLabelButtonDown) form_.lblCmdOk_MouseDown();
        else if (id == kMsgBoxOkId && code == kLabelButtonUp) form_.lblCmdOk_MouseUp(true);
        else if (id == kMsgBoxCancelId && code == kLabelButtonDown) form_.lblCmdCancel_MouseDown();
        else if (id == kMsgBoxCancelId && code == kLabelButtonUp) form_.lblCmdCancel_MouseUp(true);
        else if (id == IDCANCEL) form_.Form_QueryUnload();  // Escape
        return 0;
    }
    case WM_CLOSE:
        form_.Form_QueryUnload();  // the close box only hides; the caller unloads
        return 0;
    case WM_CTLCOLORSTATIC:
        // The read-only message box keeps a white background.
        if (reinterpret_cast<HWND>(lp) == GetDlgItem(window_, kMsgBoxMessageId)) {
            SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    }
    return DefWindowProcW(window_, m, wp, lp);
}

int fc_MsgBoxShow(HWND owner, const std::string& title, const std::string& message, int timeoutSeconds) {
    frmMsgBox form;
    MsgBoxWindow window(form, owner);
    form.sb_Init(title, message, timeoutSeconds);
    return window.showModal();
}

}  // namespace plenvik::win32
