#include "ui/win32/MsgBoxWindow.h"

#include <tuple>

#include "platform/win32/Wide.h"
#include "ui/win32/FormMetrics.h"
#include "ui/win32/LabelButton.h"

namespace plenvik::win32 {
namespace {

constexpr int kClientWidth = 420, kClientHeight = 226;

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

MsgBoxWindow::MsgBoxWindow(CountdownMessageBox& form, HWND owner) : form_(form), owner_(owner), metrics_(readFormMetrics()) {
    WindowShape shape = formShape("", metrics_, kClientWidth, kClientHeight, owner);
    shape.style |= WS_CLIPCHILDREN;
    const HWND window = create(formClass(kMsgBoxWindowClass), shape);
    if (!window) return;

    const auto add = [&](const wchar_t* cls, DWORD style, int id, int x, int y, int w, int h, DWORD exStyle = 0) {
        return addFormControl(window, metrics_, cls, "", style, id, x, y, w, h, exStyle);
    };
    HWND title = add(L"STATIC", SS_LEFT | SS_NOPREFIX, kMsgBoxTitleId, 12, 10, 396, 20);
    LOGFONTW bold{};
    GetObjectW(metrics_.font(), sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(addFormFont(metrics_, bold, metrics_.dotsPerInch)), FALSE);
    add(L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, kMsgBoxMessageId, 12, 36, 396, 112,
        WS_EX_CLIENTEDGE);
    add(L"STATIC", SS_LEFT | SS_NOPREFIX, kMsgBoxInfoId, 12, 156, 396, 18);
    for (const auto& [id, caption, x] : {std::tuple{kMsgBoxOkId, L"OK", 222}, std::tuple{kMsgBoxCancelId, L"Abbrechen", 318}}) {
        HWND button = createLabelButton(window, id, caption, metrics_.scaled(x), metrics_.scaled(186), metrics_.scaled(90), metrics_.scaled(26));
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(metrics_.font()), FALSE);
    }

    form_.setChangeHandler([this] { mirror(); });
    mirror();
}

MsgBoxWindow::~MsgBoxWindow() {
    form_.setChangeHandler(nullptr);
    if (handle()) {
        KillTimer(handle(), kMsgBoxTimerId);
        destroy();
    }
}

void MsgBoxWindow::mirror() {
    if (!handle()) return;
    setText(handle(), form_.Caption());
    setText(GetDlgItem(handle(), kMsgBoxTitleId), form_.lblTitle());
    setText(GetDlgItem(handle(), kMsgBoxMessageId), withCrLf(form_.txtMessage()));
    setText(GetDlgItem(handle(), kMsgBoxInfoId), form_.lblInfo());
    SendDlgItemMessageW(handle(), kMsgBoxOkId, kLabelButtonSetPressed, form_.lblCmdOk().pressed, 0);
    SendDlgItemMessageW(handle(), kMsgBoxCancelId, kLabelButtonSetPressed, form_.lblCmdCancel().pressed, 0);
    if (form_.TimerEnabled() && !timerRunning_) {
        SetTimer(handle(), kMsgBoxTimerId, kMsgBoxTimerInterval, nullptr);
        timerRunning_ = true;
    } else if (!form_.TimerEnabled() && timerRunning_) {
        KillTimer(handle(), kMsgBoxTimerId);
        timerRunning_ = false;
    }
    // While modal, showModal hides the window after giving the owner back its input.
    if (!form_.Visible() && !modal_ && IsWindowVisible(handle())) ShowWindow(handle(), SW_HIDE);
}

int MsgBoxWindow::showModal() {
    if (!handle()) return form_.Result() == kMsgBoxOpen ? kMsgBoxCancelled : form_.Result();
    const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
    if (owner_) EnableWindow(owner_, FALSE);
    modal_ = true;
    form_.Show();
    ShowWindow(handle(), SW_SHOWNORMAL);
    SetForegroundWindow(handle());
    SetFocus(GetDlgItem(handle(), kMsgBoxMessageId));
    MSG msg;
    while (form_.Visible()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the caller's loop
            form_.queryUnload();
            break;
        }
        if (IsDialogMessageW(handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    modal_ = false;
    // The owner gets its input and activation back before the window goes, so it stays in front.
    if (owner_ && ownerWasEnabled) {
        EnableWindow(owner_, TRUE);
        SetActiveWindow(owner_);
    }
    if (IsWindowVisible(handle())) ShowWindow(handle(), SW_HIDE);
    return form_.Result();
}

LRESULT MsgBoxWindow::handleMessage(UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case WM_DPICHANGED: rescaleForm(handle(), metrics_, HIWORD(wp), *reinterpret_cast<const RECT*>(lp)); return 0;
    case WM_TIMER:
        if (wp == kMsgBoxTimerId) {
            // The model stops and restarts the timer itself; the window timer keeps its rhythm.
            form_.timerFired();
            return 0;
        }
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wp);
        const WORD code = HIWORD(wp);
        if (id == kMsgBoxOkId && code == kLabelButtonDown)
            form_.okMouseDown();
        else if (id == kMsgBoxOkId && (code == kLabelButtonUp || code == kLabelButtonReleasedOutside))
            form_.okMouseUp(code == kLabelButtonUp);
        else if (id == kMsgBoxCancelId && code == kLabelButtonDown)
            form_.cancelMouseDown();
        else if (id == kMsgBoxCancelId && (code == kLabelButtonUp || code == kLabelButtonReleasedOutside))
            form_.cancelMouseUp(code == kLabelButtonUp);
        else if (id == IDCANCEL)
            form_.queryUnload();  // Escape
        return 0;
    }
    case WM_CLOSE:
        form_.queryUnload();  // the close box only hides; the caller unloads
        return 0;
    case WM_CTLCOLORSTATIC:
        // The read-only message box keeps a white background.
        if (reinterpret_cast<HWND>(lp) == GetDlgItem(handle(), kMsgBoxMessageId)) {
            SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    }
    return defaultHandling(m, wp, lp);
}

int showCountdownMessageBox(HWND owner, const std::string& title, const std::string& message, int timeoutSeconds) {
    CountdownMessageBox form;
    MsgBoxWindow window(form, owner);
    form.initialize(title, message, timeoutSeconds);
    return window.showModal();
}

}  // namespace plenvik::win32
