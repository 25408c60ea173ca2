// The message box, the about box, the error window and the protocol window follow WM_DPICHANGED as the
// main window and the settings dialogs do: a move to a screen at 150 % gives the window the rectangle
// Windows suggests, scales every control (the protocol window lays its list out afresh instead, and its
// columns, kept in twips, follow), and each control's font is made again at the new resolution in its
// own face and weight (the message box's bold title, the error window's fixed-pitch list).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/AboutInfo.h"
#include "app/win32/AboutBox.h"
#include "app/win32/MainWindowIds.h"
#include "driver/WineDriver.h"
#include "errors/win32/ErrorWindowControls.h"
#include "errors/win32/Win32ErrorWindow.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Win32Basics.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Protocol.h"
#include "ui/win32/MsgBoxWindow.h"
#include "ui/win32/ProtocolWindow.h"

namespace plenvik::test {
namespace {

struct Control {
    std::wstring windowClass;
    RECT place{};  // in the parent's client area
    LOGFONTW font{};
    int firstColumn = 0;  // a list view's first column, else 0
    bool picture = false;  // a static showing an icon, which draws no text
};

struct Observed {
    bool found = false;
    int dpiBefore = 96, dpiAfter = 96;
    RECT suggested{}, window{}, client{};
    std::vector<Control> before, after;
};

std::vector<Control> controlsOf(HWND window) {
    std::vector<Control> controls;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        Control control{.windowClass = className(c)};
        GetWindowRect(c, &control.place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&control.place), 2);
        if (const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(c, WM_GETFONT, 0, 0))) GetObjectW(font, sizeof control.font, &control.font);
        control.picture = control.windowClass == L"Static" && (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (control.windowClass == WC_LISTVIEWW) control.firstColumn = ListView_GetColumnWidth(c, 0);
        controls.push_back(control);
    }
    return controls;
}

// Measures the window, sends it a change to 150 % of its resolution and measures it again.
Observed changeResolution(HWND window) {
    Observed o;
    o.found = true;
    win32::WindowDc screen(nullptr);
    o.dpiBefore = GetDeviceCaps(screen.get(), LOGPIXELSY);
    o.dpiAfter = o.dpiBefore * 3 / 2;
    o.before = controlsOf(window);
    RECT r{};
    GetWindowRect(window, &r);
    // Within the screen as Wine sees it now, which keeps windows inside it (a mode set by an earlier
    // test in a virtual desktop can outlive that desktop in the Wine server).
    const long width = std::min<long>(MulDiv(r.right - r.left, 3, 2), GetSystemMetrics(SM_CXSCREEN) - 20);
    const long height = std::min<long>(MulDiv(r.bottom - r.top, 3, 2), GetSystemMetrics(SM_CYSCREEN) - 20);
    o.suggested = {10, 10, 10 + width, 10 + height};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(o.dpiAfter, o.dpiAfter), reinterpret_cast<LPARAM>(&o.suggested));
    GetWindowRect(window, &o.window);
    GetClientRect(window, &o.client);
    o.after = controlsOf(window);
    return o;
}

struct WindowCase {
    const char* name;
    const wchar_t* windowClass;
    // Shows the window and returns once it has closed.
    std::function<void()> show;
    // What closes it (from another thread).
    std::function<void(HWND)> close;
    // Placed by a layout of its own rather than scaled.
    bool laidOut = false;
};

// Shows the window; another thread finds it, changes its resolution and closes it.
Observed observe(const WindowCase& c) {
    Observed observed;
    const DWORD shower = GetCurrentThreadId();
    std::thread user([&] {
        HWND window = nullptr;
        if (!pollUntil([&] { return (window = FindWindowW(c.windowClass, nullptr)) != nullptr && IsWindowVisible(window); })) {
            PostThreadMessageW(shower, WM_QUIT, 0, 0);  // every one of these windows ends on WM_QUIT
            return;
        }
        observed = changeResolution(window);
        c.close(window);
    });
    c.show();
    user.join();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}  // passed on by the window, not meant for the next test
    return observed;
}

struct NoCommands : ErrorWindowCommands {
    void protocolClicked(int) override {}
};

TEST(WindowDpiTest, EachWindowFollowsAChangeOfResolution) {
    win32::Win32Platform platform;
    win32::Win32Clock clock;
    win32::Win32Locale locale;
    win32::Win32EventPump events;
    Protocol protocol{clock, locale, events};
    protocol.add("Eine Zeile", "", true, false);
    const AboutInfo about = makeAboutInfo("https://www.orvel.example/plenvik");
    const auto post = [](UINT message, WPARAM wParam) { return [=](HWND w) { PostMessageW(w, message, wParam, 0); }; };

    const std::vector<WindowCase> cases = {
        {"message box", win32::kMsgBoxWindowClass, [] { win32::showCountdownMessageBox(nullptr, "Frage", "Behalten?", 0); },
         post(WM_CLOSE, 0)},
        {"about box", win32::kAboutWindowClass, [&] { win32::runAboutBox(nullptr, about, platform.platform()); }, post(WM_COMMAND, IDOK)},
        {"error window", win32::ErrorWindowIds::kClassName,
         [] {
             win32::ErrorWindowView32 view;
             NoCommands commands;
             ErrorWindowContent content;
             content.errMsg = {"Fehler 5"};
             view.showModal(content, commands);
         },
         [](HWND w) { PostMessageW(GetDlgItem(w, win32::ErrorWindowIds::kCmdContinue), BM_CLICK, 0, 0); }},
        {"protocol window", win32::kProtocolWindowClass,
         [&] {
             win32::ProtocolWindow window(protocol);
             window.show();
             MSG msg;
             while (IsWindowVisible(window.handle()) && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
         },
         post(WM_CLOSE, 0), true},
    };

    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Observed o = observe(c);
        ASSERT_TRUE(o.found) << "the window did not appear";
        EXPECT_EQ(o.window.left, o.suggested.left);
        EXPECT_EQ(o.window.top, o.suggested.top);
        EXPECT_EQ(o.window.right, o.suggested.right);
        EXPECT_EQ(o.window.bottom, o.suggested.bottom);
        ASSERT_EQ(o.after.size(), o.before.size());
        const auto scaled = [&](long v) { return MulDiv(v, o.dpiAfter, o.dpiBefore); };
        for (std::size_t i = 0; i < o.before.size(); ++i) {
            const Control &was = o.before[i], &is = o.after[i];
            SCOPED_TRACE(testing::Message() << "control " << i << " " << is.windowClass);
            EXPECT_TRUE(was.picture || was.font.lfHeight != 0) << "every control with text has a font of the form";
            EXPECT_EQ(is.font.lfHeight, scaled(was.font.lfHeight));
            EXPECT_EQ(is.font.lfWeight, was.font.lfWeight);
            EXPECT_EQ(std::wstring(is.font.lfFaceName), std::wstring(was.font.lfFaceName));
            EXPECT_NEAR(is.firstColumn, scaled(was.firstColumn), 1) << "twips converted at either resolution";
            if (c.laidOut) {
                if (is.windowClass == WC_LISTVIEWW) {
                    EXPECT_EQ(is.place.right - is.place.left, o.client.right) << "the list fills the window";
                }
                continue;
            }
            EXPECT_EQ(is.place.left, scaled(was.place.left));
            EXPECT_EQ(is.place.top, scaled(was.place.top));
            EXPECT_EQ(is.place.right - is.place.left, scaled(was.place.right - was.place.left));
            EXPECT_EQ(is.place.bottom - is.place.top, scaled(was.place.bottom - was.place.top));
        }
    }
}

}  // namespace
}  // namespace plenvik::test
