#include "ui/win32/ProtocolWindow.h"

#include <commctrl.h>

#include "common/Twips.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr UINT_PTR kClockTimer = 1;

}  // namespace

ProtocolWindow::ProtocolWindow(Protocol& protocol) : protocol_(protocol) {
    // A tool window without an owner: it stays when the main window is minimised.
    const HWND window =
        create(formClass(kProtocolWindowClass),
               {.exStyle = WS_EX_TOOLWINDOW, .caption = L"Protokoll ...", .style = WS_OVERLAPPEDWINDOW, .width = 720, .height = 420});
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 100, 100,
                            window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProtocolListId)), GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProtocolStatusId)), GetModuleHandleW(nullptr), nullptr);
    mirror_ = std::make_unique<ListViewMirror>(protocol_.list(), list_, kTwipsPerInch / kTwipsPerPixel);
    layout();
    refreshStatus();
    SetTimer(window, kClockTimer, 1000, nullptr);
}

ProtocolWindow::~ProtocolWindow() {
    mirror_.reset();
    if (handle()) {
        KillTimer(handle(), kClockTimer);
        destroy();
    }
}

void ProtocolWindow::show() {
    ShowWindow(handle(), SW_SHOWNORMAL);
    SetForegroundWindow(handle());
}

void ProtocolWindow::hide() { ShowWindow(handle(), SW_HIDE); }

void ProtocolWindow::refreshStatus() {
    SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(widen(protocol_.timePanel()).c_str()));
    SendMessageW(status_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(widen(protocol_.headline()).c_str()));
    SendMessageW(status_, SB_SETTEXTW, 2 | SBT_POPOUT, reinterpret_cast<LPARAM>(widen(Protocol::kClosePanelText).c_str()));
    SendMessageW(status_, SB_SETTIPTEXTW, 2, reinterpret_cast<LPARAM>(widen(Protocol::kClosePanelText).c_str()));
}

void ProtocolWindow::layout() {
    RECT client;
    GetClientRect(handle(), &client);
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
    const Protocol::ListSize next = protocol_.resize(width * kTwipsPerPixel, height * kTwipsPerPixel, (height - barHeight) * kTwipsPerPixel,
                                                     now, textLeft * kTwipsPerPixel);
    MoveWindow(list_, 0, 0, next.width / kTwipsPerPixel, next.height / kTwipsPerPixel, TRUE);
    if (next.textColumnWidth != now.textColumnWidth) ListView_SetColumnWidth(list_, 2, next.textColumnWidth / kTwipsPerPixel);
}

LRESULT ProtocolWindow::handleMessage(UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case WM_SIZE:
        if (mirror_) layout();  // not while the window is being created
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
    return defaultHandling(m, wp, lp);
}

}  // namespace plenvik::win32
