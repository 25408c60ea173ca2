#include "app/win32/AboutBox.h"

#include "app/win32/MainWindowIds.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Window.h"
#include "ui/win32/FormMetrics.h"

namespace plenvik::win32 {
namespace {

// The client area at 96 dpi, scaled to the screen's resolution.
constexpr int kClientWidth = 404, kClientHeight = 182;

class AboutBox : public Window {
public:
    AboutBox(HWND owner, const AboutInfo& info, Platform& platform) : info_(info), platform_(platform), metrics_(readFormMetrics()) {
        const HWND box = create(formClass(kAboutWindowClass), formShape(info.title, metrics_, kClientWidth, kClientHeight, owner));
        if (!box) return;
        const auto add = [&](const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int w, int h, int id) {
            return addFormControl(box, metrics_, cls, text, style, id, x, y, w, h);
        };
        HWND icon = add(L"STATIC", "", SS_ICON | SS_REALSIZECONTROL, 16, 16, 32, 32, 0);
        SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_APPLICATION)), 0);
        add(L"STATIC", info.product, SS_LEFT, 64, 16, 320, 18, 0);
        add(L"STATIC", info.version, SS_LEFT, 64, 38, 320, 18, 0);
        add(L"STATIC", info.description, SS_LEFT, 64, 62, 330, 36, 0);
        add(L"STATIC", info.webAddress, SS_LEFT | SS_NOTIFY, 64, 104, 330, 18, kAboutWebId);
        add(L"BUTTON", info.systemInfoButton, BS_PUSHBUTTON | WS_TABSTOP, 180, 140, 110, 26, kAboutSystemInfoId);
        add(L"BUTTON", info.okButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 300, 140, 90, 26, IDOK);
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
        case WM_DPICHANGED: rescaleForm(handle(), metrics_, HIWORD(wp), *reinterpret_cast<const RECT*>(lp)); return 0;
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
    FormMetrics metrics_;
    bool done_ = false;
};

}  // namespace

void runAboutBox(HWND owner, const AboutInfo& info, Platform& platform) {
    AboutBox box(owner, info, platform);
    if (box.handle()) box.run(owner);
}

}  // namespace plenvik::win32
