#include "app/win32/AboutBox.h"

#include "platform/win32/FormClass.h"
#include "app/win32/MainWindowIds.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

struct AboutState {
    const AboutInfo* info;
    Platform* platform;
    bool done = false;
};

LRESULT CALLBACK aboutProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<AboutState*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    switch (m) {
    case WM_NCCREATE:
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        break;
    case WM_COMMAND:
        if (!state) break;
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
            state->done = true;
        } else if (LOWORD(wp) == kAboutSystemInfoId) {
            if (!state->platform->processes.start(state->info->systemInfoProgram, "")) {
                MessageBoxRequest q;
                q.title = state->info->product;
                q.text = state->info->systemInfoFailed;
                q.icon = MsgIcon::Exclamation;
                state->platform->dialogs.messageBox(q);
            }
        } else if (LOWORD(wp) == kAboutWebId && HIWORD(wp) == STN_CLICKED) {
            state->platform->processes.shellOpen(state->info->webAddress);
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == kAboutWebId) {
            SetTextColor(reinterpret_cast<HDC>(wp), RGB(0, 0, 255));
            SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_CLOSE:
        if (state) state->done = true;
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}

HWND add(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int w, int h, int id) {
    HWND c = CreateWindowExW(0, cls, widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return c;
}

}  // namespace

void runAboutBox(HWND owner, const AboutInfo& info, Platform& platform) {
    registerFormClass(kAboutWindowClass, aboutProc);
    AboutState state{&info, &platform};
    HWND box = CreateWindowExW(WS_EX_DLGMODALFRAME, kAboutWindowClass, widen(info.title).c_str(),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 420, 220, owner, nullptr,
                               GetModuleHandleW(nullptr), &state);
    if (!box) return;
    HWND icon = add(box, L"STATIC", "", SS_ICON, 16, 16, 32, 32, 0);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_APPLICATION)), 0);
    add(box, L"STATIC", info.product, SS_LEFT, 64, 16, 320, 18, 0);
    add(box, L"STATIC", info.version, SS_LEFT, 64, 38, 320, 18, 0);
    add(box, L"STATIC", info.description, SS_LEFT, 64, 62, 330, 36, 0);
    add(box, L"STATIC", info.webAddress, SS_LEFT | SS_NOTIFY, 64, 104, 330, 18, kAboutWebId);
    add(box, L"BUTTON", info.systemInfoButton, BS_PUSHBUTTON | WS_TABSTOP, 180, 140, 110, 26, kAboutSystemInfoId);
    add(box, L"BUTTON", info.okButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 300, 140, 90, 26, IDOK);

    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOW);
    MSG msg;
    while (!state.done && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(box, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    DestroyWindow(box);
    if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
}

}  // namespace plenvik::win32
