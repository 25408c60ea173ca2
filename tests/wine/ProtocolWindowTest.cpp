// The protocol window as a real Win32 window: its list mirrors the protocol, its status bar shows the
// run's headline, and "Schließen" hides it without losing the protocol.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Basics.h"
#include "ui/Protocol.h"
#include "ui/win32/ProtocolWindow.h"

namespace plenvik::test {
namespace {

using namespace plenvik::win32;

std::wstring itemText(HWND list, int row, int column) {
    wchar_t buffer[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

std::wstring statusText(HWND status, int part) {
    wchar_t buffer[512] = {};
    SendMessageW(status, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

void pumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

class ProtocolWindowTest : public ::testing::Test {
protected:
    Win32Clock clock;
    Win32Locale locale;
    Win32EventPump events;
    Protocol protocol{clock, locale, events};
};

TEST_F(ProtocolWindowTest, ListMirrorsTheProtocolNewestOnTop) {
    ProtocolWindow window(protocol);
    ASSERT_NE(window.handle(), nullptr);
    wchar_t caption[64] = {};
    GetWindowTextW(window.handle(), caption, 64);
    EXPECT_STREQ(caption, L"Protokoll ...");
    EXPECT_FALSE(IsWindowVisible(window.handle())) << "created hidden";

    HWND list = GetDlgItem(window.handle(), kProtocolListId);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 4);
    EXPECT_EQ(ListView_GetColumnWidth(list, 3), 0) << "the info column starts hidden";

    protocol.add("Desktop Sicherung erstellen...", "", true, false);
    protocol.add("Monitore ermitteln...", "Detail \u00FC", false, false);
    protocol.add("Monitore ermitteln...", "", false, false);
    protocol.close("Desktop Sicherung erfolgreich erstellt: 'a.Plenvk'");
    ASSERT_EQ(ListView_GetItemCount(list), 5);
    EXPECT_EQ(itemText(list, 0, 2), L"Desktop Sicherung erfolgreich erstellt: 'a.Plenvk'");
    EXPECT_EQ(itemText(list, 2, 2), L"Monitore ermitteln...");
    EXPECT_EQ(itemText(list, 2, 1), L"2");
    EXPECT_EQ(itemText(list, 2, 3), L"Detail \u00FC");
    EXPECT_EQ(itemText(list, 4, 2), L"Desktop Sicherung erstellen...");
    EXPECT_FALSE(itemText(list, 0, 0).empty()) << "every row has its time";

    protocol.add("Neuer Lauf", "", true, false);
    EXPECT_EQ(ListView_GetItemCount(list), 2) << "a new run empties the list";
}

TEST_F(ProtocolWindowTest, StatusBarAndTheClosePanelHideTheWindowButKeepTheProtocol) {
    ProtocolWindow window(protocol);
    protocol.add("aktuellen Desktop ermitteln...", "", true, false);
    window.refreshStatus();
    window.show();
    pumpPending();
    EXPECT_TRUE(IsWindowVisible(window.handle()));
    HWND status = GetDlgItem(window.handle(), kProtocolStatusId);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(statusText(status, 1), L"aktuellen Desktop ermitteln...");
    EXPECT_EQ(statusText(status, 2), L"Schlie\u00DFen");

    RECT panel{};
    ASSERT_TRUE(SendMessageW(status, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&panel)));
    const LPARAM at = MAKELPARAM((panel.left + panel.right) / 2, (panel.top + panel.bottom) / 2);
    SendMessageW(status, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(status, WM_LBUTTONUP, 0, at);
    pumpPending();
    EXPECT_FALSE(IsWindowVisible(window.handle())) << "the close panel hides the window";
    EXPECT_TRUE(IsWindow(window.handle()));
    EXPECT_EQ(ListView_GetItemCount(GetDlgItem(window.handle(), kProtocolListId)), 2) << "the protocol stays";

    window.show();
    SendMessageW(window.handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(window.handle()));
    EXPECT_TRUE(IsWindow(window.handle())) << "closing only hides";
}

}  // namespace
}  // namespace plenvik::test
