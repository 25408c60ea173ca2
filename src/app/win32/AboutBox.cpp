#include "app/win32/AboutBox.h"

#include "app/win32/MainWindowIds.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Window.h"

namespace plenvik::win32 {
namespace {

HWND add(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int w, int h, int id) {
    HWND c = CreateWindowExW(0, cls, widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return c;
}

class AboutBox : public Window {
public:
    AboutBox(HWND owner, const AboutInfo& info, Platform& platform) : info_(info), platform_(platform) {
        const HWND box = create(formClass(kAboutWindowClass), {.exStyle = WS_EX_DLGMODALFRAME,
                                                               .caption = widen(info.title),
                                                               .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                                               .width = 420,
                                                               .height = 220,
                                                               .parent = owner});
        if (!box) return;
        HWND icon = add(box, L"STATIC", "", SS_ICON, 16, 16, 32, 32, 0);
        SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_APPLICATION)), 0);
        add(box, L"STATIC", info.product, SS_LEFT, 64, 16, 320, 18, 0);
        add(box, L"STATIC", info.version, SS_LEFT, 64, 38, 320, 18, 0);
        add(box, L"STATIC", info.description, SS_LEFT, 64, 62, 330, 36, 0);
        add(box, L"STATIC", info.webAddress, SS_LEFT | SS_NOTIFY, 64, 104, 330, 18, kAboutWebId);
        add(box, L"BUTTON", info.systemInfoButton, BS_PUSHBUTTON | WS_TABSTOP, 180, 140, 110, 26, kAboutSystemInfoId);
        add(box, L"BUTTON", info.okButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 300, 140, 90, 26, IDOK);
    }

    // Modal over owner until OK, Escape or the close box; a WM_QUIT that ends the loop is passed on.
    void run(HWND owner) {
        const HWND box = handle();
        if (owner) EnableWindow(owner, FALSE);
        ShowWindow(box, SW_SHOW);
        MSG msg;
        while (!done_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageW(box, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (owner) {
            EnableWindow(owner, TRUE);
            SetActiveWindow(owner);
        }
        destroy();
        if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
    }

private:
    LRESULT handleMessage(UINT m, WPARAM wp, LPARAM lp) override {
        switch (m) {
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                done_ = true;
            } else if (LOWORD(wp) == kAboutSystemInfoId) {
                if (!platform_.processes.start(info_.systemInfoProgram, "")) {
                    MessageBoxRequest q;
                    q.title = info_.product;
                    q.text = info_.systemInfoFailed;
                    q.icon = MsgIcon::Exclamation;
                    platform_.dialogs.messageBox(q);
                }
            } else if (LOWORD(wp) == kAboutWebId && HIWORD(wp) == STN_CLICKED) {
                platform_.processes.shellOpen(info_.webAddress);
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            if (GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == kAboutWebId) {
                SetTextColor(reinterpret_cast<HDC>(wp), RGB(0, 0, 255));
                SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_CLOSE: done_ = true; return 0;
        }
        return defaultHandling(m, wp, lp);
    }

    const AboutInfo& info_;
    Platform& platform_;
    bool done_ = false;
};

}  // namespace

void runAboutBox(HWND owner, const AboutInfo& info, Platform& platform) {
    AboutBox box(owner, info, platform);
    if (box.handle()) box.run(owner);
}

}  // namespace plenvik::win32
