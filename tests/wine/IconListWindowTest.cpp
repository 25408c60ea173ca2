// The project icon list of the real main window: a right click on an icon's row pops up the icon menu
// (and nothing without a row), a double click shows the row's message.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "app/win32/MainWindow.h"
#include "app/win32/MainWindowIds.h"
#include "driver/WineDriver.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik::test {
namespace {

constexpr const char* kTooBig = "Datei wurde beim Erstellen der Sicherung nicht geladen, da sie zu gro\xC3\x9F war!";

class IconListWindowTest : public ::testing::Test {
protected:
    win32::Win32Platform platform;
    ScriptedErrorHandler errors;
    ProgramActions actions{[](const Settings& s) { return SettingsDialogOutcome{SettingsDialog::kResultClosed, s}; }};
    MainController form{platform.platform(), errors, actions};
    win32::MainWindow window{form};
    HWND main = nullptr, icons = nullptr;

    void SetUp() override {
        ASSERT_TRUE(window.create("", SW_SHOW));
        main = window.handle();
        icons = GetDlgItem(main, win32::kIdLvwProjectIcons);
        const int r = form.lists.projectIcons.add("ICON1",
                                                  "Gro\xC3\x9F"
                                                  "es Video",
                                                  "FILETOBIG");
        form.lists.projectIcons.setSubItem(r, 7, kTooBig);
        form.lists.projectIcons.add("ICON2", "Ohne Meldung", "FILE");
    }
    void TearDown() override {
        DestroyWindow(main);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}  // the window's quit message is not meant for the next test
    }

    POINT inRow(int row) {
        RECT r{};
        ListView_GetItemRect(icons, row, &r, LVIR_LABEL);
        return {r.left + 4, (r.top + r.bottom) / 2};
    }

    // Posts the mouse messages, lets this thread run them, and has a second thread act as the user
    // (it returns once it has seen what it waits for, or has given up).
    void act(const std::function<void()> post, const std::function<void()>& user) {
        std::atomic<bool> done{false};
        std::thread other([&] {
            user();
            done = true;
        });
        post();
        MSG msg;
        while (!done || PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            } else {
                Sleep(5);
            }
        }
        other.join();
    }
    void postClick(UINT down, UINT up, POINT at) {
        PostMessageW(icons, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageW(icons, up, 0, MAKELPARAM(at.x, at.y));
    }
};

TEST_F(IconListWindowTest, RightClickOnAnIconsRowPopsUpTheIconMenu) {
    std::vector<std::wstring> items;
    std::atomic<bool> popped{false};
    act([&] { postClick(WM_RBUTTONDOWN, WM_RBUTTONUP, inRow(0)); },
        [&] {
            HWND popup = nullptr;
            popped = pollUntil([&] { return (popup = FindWindowW(L"#32768", nullptr)) != nullptr && IsWindowVisible(popup); }, 5000);
            if (popped) {
                HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
                for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                    wchar_t text[128] = {};
                    GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
                    if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)) items.push_back(text);
                }
            }
            PostMessageW(main, WM_CANCELMODE, 0, 0);
        });
    ASSERT_TRUE(popped) << "no menu over the icon's row";
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0], L"Symbol &pr\u00FCfen, korrigieren, ggf. erstellen");
    EXPECT_EQ(items[3], L"alle Eintr\u00E4ge &demarkieren");
    EXPECT_EQ(form.lists.projectIcons.selectedIndex(), 0);
}

TEST_F(IconListWindowTest, DoubleClickShowsTheRowsMessage) {
    form.lists.projectIcons.select(0);
    std::wstring text;
    act([&] { postClick(WM_LBUTTONDBLCLK, WM_LBUTTONUP, inRow(0)); },
        [&] {
            HWND box = nullptr;
            if (!pollUntil([&] { return (box = FindWindowW(L"#32770", L"Meldung...")) != nullptr && IsWindowVisible(box); }, 5000)) return;
            for (HWND c : childWindows(box)) text += windowText(c) + L"|";
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
    EXPECT_NE(text.find(L"Meldung: "), std::wstring::npos) << win32::narrow(text);
    EXPECT_NE(text.find(win32::widen(kTooBig)), std::wstring::npos) << win32::narrow(text);
}

}  // namespace
}  // namespace plenvik::test
