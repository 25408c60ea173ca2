#include "ui/win32/ProtocolWindow.h"

#include "platform/win32/FormClass.h"
#include <commctrl.h>

#include "common/Twips.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr UINT_PTR kClockTimer = 1;

void registerClass() { registerFormClass(kProtocolWindowClass, DefWindowProcW); }  // the procedure is set per window

}  // namespace

ProtocolWindow::ProtocolWindow(Protocol& protocol) : protocol_(protocol) {
    registerClass();
    // A tool window without an owner: it stays when the main window is minimised.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kProtocolWindowClass, L"Protokoll ...", WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 720, 420, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ProtocolWindow::windowProc));
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                            0, 0, 100, 100, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProtocolListId)),
                            GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProtocolStatusId)), GetModuleHandleW(nullptr), nullptr);
    mirror_ = std::make_unique<ListViewMirror>(protocol_.list(), list_, kTwipsPerInch / kTwipsPerPixel);
    layout();
    refreshStatus();
    SetTimer(window_, kClockTimer, 1000, nullptr);
}

ProtocolWindow::~ProtocolWindow() {
    mirror_.reset();
    if (window_) {
        KillTimer(window_, kClockTimer);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void ProtocolWindow::show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void ProtocolWindow::hide() { ShowWindow(window_, SW_HIDE); }

void ProtocolWindow::refreshStatus() {
    SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(widen(protocol_.timePanel()).c_str()));
    SendMessageW(status_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(widen(protocol_.headline()).c_str()));
    SendMessageW(status_, SB_SETTEXTW, 2 | SBT_POPOUT, reinterpret_cast<LPARAM>(widen(Protocol::kClosePanelText).c_str()));
    SendMessageW(status_, SB_SETTIPTEXTW, 2, reinterpret_cast<LPARAM>(widen(Protocol::kClosePanelText).c_str()));
}

void ProtocolWindow::layout() {
    RECT client;
    GetClientRect(window_, &client);
    SendMessageW(status_, WM_SIZE, 0, 0);
    RECT bar;
    GetWindowRect(status_, &bar);
    const int barHeight = bar.bottom - bar.top;
    const int width = client.right, height = client.bottom;
    int parts[3] = {width * 30 / 100, width - 90, -1};
    SendMessageW(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));

    RECT listRect;
    GetWindowRect(list_, &listRect);
    const int textLeft = ListView_GetColumnWidth(list_, 0) + ListView_GetColumnWidth(list_, 1);
    const Protocol::ListSize now{(listRect.right - listRect.left) * kTwipsPerPixel, (listRect.bottom - listRect.top) * kTwipsPerPixel,
                                 ListView_GetColumnWidth(list_, 2) * kTwipsPerPixel};
    const Protocol::ListSize next = protocol_.resize(width * kTwipsPerPixel, height * kTwipsPerPixel,
                                                     (height - barHeight) * kTwipsPerPixel, now, textLeft * kTwipsPerPixel);
    MoveWindow(list_, 0, 0, next.width / kTwipsPerPixel, next.height / kTwipsPerPixel, TRUE);
    if (next.textColumnWidth != now.textColumnWidth) ListView_SetColumnWidth(list_, 2, next.textColumnWidth / kTwipsPerPixel);
}

LRESULT CALLBACK ProtocolWindow::windowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<ProtocolWindow*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    return self ? self->handle(m, wp, lp) : DefWindowProcW(w, m, wp, lp);
}

LRESULT ProtocolWindow::handle(UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_TIMER:
        if (wp == kClockTimer) refreshStatus();
        return 0;
    case WM_CLOSE:  // closing only hides: the protocol stays
        hide();
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if (header->hwndFrom == status_ && header->code == NM_CLICK) {
            auto* mouse = reinterpret_cast<NMMOUSE*>(lp);
            if (mouse->dwItemSpec == 2) {
                SendMessageW(status_, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(widen(Protocol::kClosePanelText).c_str()));
                UpdateWindow(status_);
                hide();
                refreshStatus();
            }
            return TRUE;
        }
        if (mirror_) return mirror_->onNotify(header);
        return 0;
    }
    }
    return DefWindowProcW(window_, m, wp, lp);
}

}  // namespace plenvik::win32
