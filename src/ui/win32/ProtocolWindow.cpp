#include "ui/win32/ProtocolWindow.h"

#include <commctrl.h>

#include "common/Twips.h"
#include "platform/win32/Wide.h"
#include "ui/win32/FormMetrics.h"

namespace plenvik::win32 {
namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr int kWidth = 720, kHeight = 420, kClosePanelWidth = 90;  // pixels at 96 dpi

}  // namespace

ProtocolWindow::ProtocolWindow(Protocol& protocol) : protocol_(protocol), metrics_(readFormMetrics()) {
    // A tool window without an owner: it stays when the main window is minimised.
    const HWND window = create(formClass(kProtocolWindowClass), {.exStyle = WS_EX_TOOLWINDOW,
                                                                 .caption = L"Protokoll ...",
                                                                 .style = WS_OVERLAPPEDWINDOW,
                                                                 .width = metrics_.scaled(kWidth),
                                                                 .height = metrics_.scaled(kHeight)});
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 100, 100,
                            window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProtocolListId)), GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProtocolStatusId)), GetModuleHandleW(nullptr), nullptr);
    for (HWND control : {list_, status_}) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(metrics_.font()), FALSE);
    mirror_ = std::make_unique<ListViewMirror>(protocol_.list(), list_, metrics_.dotsPerInch);
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
    const int dpi = metrics_.dotsPerInch;
    const auto twips = [dpi](int pixels) { return static_cast<int>(pixelsToTwips(pixels, dpi)); };
    const auto pixels = [dpi](int twips) { return twipsToPixels(twips, dpi); };
    RECT client;
    GetClientRect(handle(), &client);
    SendMessageW(status_, WM_SIZE, 0, 0);
    RECT bar;
    GetWindowRect(status_, &bar);
    const int barHeight = bar.bottom - bar.top;
    const int width = client.right, height = client.bottom;
    int parts[3] = {width * 30 / 100, width - metrics_.scaled(kClosePanelWidth), -1};
    SendMessageW(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));

    RECT listRect;
    GetWindowRect(list_, &listRect);
    const int textLeft = ListView_GetColumnWidth(list_, 0) + ListView_GetColumnWidth(list_, 1);
    const Protocol::ListSize now{twips(listRect.right - listRect.left), twips(listRect.bottom - listRect.top),
                                 twips(ListView_GetColumnWidth(list_, 2))};
    const Protocol::ListSize next = protocol_.resize(twips(width), twips(height), twips(height - barHeight), now, twips(textLeft));
    MoveWindow(list_, 0, 0, pixels(next.width), pixels(next.height), TRUE);
    if (next.textColumnWidth != now.textColumnWidth) ListView_SetColumnWidth(list_, 2, pixels(next.textColumnWidth));
}

LRESULT ProtocolWindow::handleMessage(UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case WM_DPICHANGED:
        // The list's columns are in twips; its place and size follow the layout.
        rescaleForm(handle(), metrics_, HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        mirror_->setDotsPerInch(metrics_.dotsPerInch);
        layout();
        return 0;
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
