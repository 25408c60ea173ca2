#include "errors/win32/Win32ErrorWindow.h"

#include <string>
#include <vector>

#include "errors/ErrorTexts.h"
#include "errors/ErrorHandler.h"
#include "errors/win32/ErrorWindowControls.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

using namespace ErrorWindowIds;

constexpr int kClientWidth = 800, kClientHeight = 540;  // at 96 dpi

// A font described in points (at 72 dots per inch, so that the form's resolution makes it pixels).
LOGFONTW pointFont(int points, BYTE pitchAndFamily, const wchar_t* face) {
    LOGFONTW font{};
    font.lfHeight = -points;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = pitchAndFamily;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

struct EnabledWindows {
    HWND except;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectEnabled(HWND w, LPARAM p) {
    auto* c = reinterpret_cast<EnabledWindows*>(p);
    if (w != c->except && IsWindowVisible(w) && IsWindowEnabled(w)) c->windows.push_back(w);
    return TRUE;
}

// The thread's other enabled top-level windows, disabled while the error window is shown.
std::vector<HWND> disableOtherWindows(HWND except) {
    EnabledWindows collect{except, {}};
    EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&collect));
    for (HWND w : collect.windows) EnableWindow(w, FALSE);
    return collect.windows;
}

}  // namespace

ErrorWindowView32::~ErrorWindowView32() { destroy(); }

LRESULT ErrorWindowView32::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED) break;
        if (id >= kCmdContinue && id < kCmdContinue + 5 && shown_) {
            actionCode_ = id - kCmdContinue;
            decided_ = true;
            return 0;
        }
        if (id >= kCmdProtocol && id < kCmdProtocol + 4 && shown_) {
            protocolCommand(id - kCmdProtocol);
            return 0;
        }
        return 0;  // IDOK / IDCANCEL from the dialog keys decide nothing
    }
    case WM_CLOSE: return 0;  // only a continue button ends the window
    case WM_DPICHANGED:
        rescaleForm(handle(), metrics_, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        setHorizontalExtents();
        return 0;
    default: break;
    }
    return defaultHandling(message, wParam, lParam);
}

void ErrorWindowView32::protocolCommand(int index) {
    // The hourglass while the protocol is printed, saved or mailed.
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    try {
        commands_->protocolClicked(index);
    } catch (...) {
        // Failures of printing, saving or mailing are not reported separately; nothing may unwind
        // through the window procedure.
    }
    SetCursor(previous);
}

void ErrorWindowView32::create() {
    metrics_ = readFormMetrics();
    const auto px = [this](int pixels) { return metrics_.scaled(pixels); };
    RECT frame{0, 0, px(kClientWidth), px(kClientHeight)};
    // No WS_CLIPCHILDREN: the frames (group boxes) rely on the window painting the area inside them.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    const HWND w = Window::create(
        formClass(kClassName),
        {.exStyle = exStyle, .caption = widen(errtext::kWindowCaption), .style = style, .x = x, .y = y, .width = width, .height = height});
    if (!w) {
        const DWORD code = GetLastError();
        throw RuntimeError(static_cast<long>(code), "frmErr", win32FailureText("CreateWindowEx", code));
    }

    const HFONT dialogFont = addFormFont(metrics_, pointFont(9, DEFAULT_PITCH | FF_SWISS, L"MS Shell Dlg 2"), 72);
    const HFONT fixedFont = addFormFont(metrics_, pointFont(9, FIXED_PITCH | FF_MODERN, L"Courier New"), 72);

    const auto add = [&](const wchar_t* cls, const std::string& text, DWORD controlStyle, int cx, int cy, int cw, int ch, int id,
                         HGDIOBJ font) {
        HWND c = CreateWindowExW(cls == std::wstring(L"LISTBOX") ? WS_EX_CLIENTEDGE : 0, cls, widen(text).c_str(),
                                 WS_CHILD | WS_VISIBLE | controlStyle, px(cx), px(cy), px(cw), px(ch), w,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return c;
    };
    HGDIOBJ font = dialogFont ? dialogFont : GetStockObject(DEFAULT_GUI_FONT);
    HGDIOBJ fixed = fixedFont ? fixedFont : GetStockObject(ANSI_FIXED_FONT);
    const DWORD frameStyle = BS_GROUPBOX;
    const DWORD listStyle = WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOSEL;
    const DWORD labelStyle = SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS;

    add(L"BUTTON", errtext::kFraErrMsg, frameStyle, 8, 8, 784, 150, kFraErrMsg, font);
    add(L"LISTBOX", "", listStyle, 16, 28, 768, 122, kLstErrMsg, fixed);

    add(L"BUTTON", errtext::kFramProgInfo, frameStyle, 8, 166, 360, 176, kFramProgInfo, font);
    add(L"STATIC", "", labelStyle, 16, 186, 344, 18, kLblProgInfo, font);
    for (int i = 0; i < 5; ++i) {
        add(L"STATIC", errtext::kErrTitles[static_cast<std::size_t>(i)], labelStyle, 16, 212 + i * 26, 84, 18, kLblErrTitle + i, font);
        add(L"STATIC", "", labelStyle, 102, 212 + i * 26, 258, 18, kLblErrText + i, font);
    }

    add(L"BUTTON", errtext::kFramCallStack, frameStyle, 376, 166, 416, 176, kFramCallStack, font);
    add(L"LISTBOX", "", listStyle, 384, 186, 400, 148, kLstCallStack, font);
    setHorizontalExtents();

    add(L"BUTTON", errtext::kFramContinue, frameStyle, 8, 350, 250, 182, kFramContinue, font);
    for (int i = 0; i < 5; ++i) {
        // "&Debuggen" exists but stays hidden: no user action chooses it.
        const DWORD visible = i == 4 ? 0 : WS_TABSTOP;
        HWND b = add(L"BUTTON", errtext::kContinueCaptions[static_cast<std::size_t>(i)], BS_PUSHBUTTON | visible, 16, 370 + i * 32, 234, 26,
                     kCmdContinue + i, font);
        if (i == 4) ShowWindow(b, SW_HIDE);
    }

    add(L"BUTTON", errtext::kFramProtocol, frameStyle, 266, 350, 150, 182, kFramProtocol, font);
    for (int i = 0; i < 4; ++i)
        add(L"BUTTON", errtext::kProtocolCaptions[static_cast<std::size_t>(i)], BS_PUSHBUTTON | WS_TABSTOP, 274, 370 + i * 32, 134, 26,
            kCmdProtocol + i, font);

    add(L"BUTTON", errtext::kFramComment, frameStyle, 424, 350, 368, 182, kFramComment, font);
    add(L"STATIC", errtext::kComment, SS_LEFT | SS_NOPREFIX, 432, 370, 352, 154, kLblComment, font);
}

void ErrorWindowView32::setHorizontalExtents() {
    for (const int list : {kLstErrMsg, kLstCallStack})
        SendDlgItemMessageW(handle(), list, LB_SETHORIZONTALEXTENT, metrics_.scaled(kErrMsgHorizontalExtent), 0);
}

void ErrorWindowView32::mirror(const ErrorWindowContent& content) {
    SetDlgItemTextW(handle(), kLblProgInfo, widen(content.progInfo).c_str());
    for (int i = 0; i < 5; ++i) SetDlgItemTextW(handle(), kLblErrText + i, widen(content.errText[static_cast<std::size_t>(i)]).c_str());
    const auto fill = [&](int id, const std::vector<std::string>& lines) {
        HWND list = GetDlgItem(handle(), id);
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const auto& line : lines) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(line).c_str()));
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    };
    fill(kLstErrMsg, content.errMsg);
    fill(kLstCallStack, content.callStack);
}

int ErrorWindowView32::showModal(const ErrorWindowContent& content, ErrorWindowCommands& commands) {
    if (shown_) throw RuntimeError(errtext::kAlreadyShownNumber, kAppTitle, errtext::kAlreadyShownText);
    if (!handle()) create();
    mirror(content);

    commands_ = &commands;
    shown_ = true;
    decided_ = false;
    actionCode_ = kActionLeave;
    HWND previousActive = GetActiveWindow();
    const std::vector<HWND> disabled = disableOtherWindows(handle());
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
    SetFocus(GetDlgItem(handle(), kCmdContinue));

    MSG msg;
    while (!decided_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {  // the program is quitting: leave WM_QUIT for the main loop and end the program
            PostQuitMessage(static_cast<int>(msg.wParam));
            actionCode_ = kActionEnd;
            break;
        }
        if (got < 0) break;
        if (!IsDialogMessageW(handle(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // Enable the others before hiding, so that activation goes back to them.
    for (HWND w : disabled)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    ShowWindow(handle(), SW_HIDE);
    if (previousActive && previousActive != handle() && IsWindow(previousActive)) SetActiveWindow(previousActive);
    shown_ = false;
    commands_ = nullptr;
    return actionCode_;
}

}  // namespace plenvik::win32
