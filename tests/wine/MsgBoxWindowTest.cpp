// CountdownMessageBox as a real modal window: its texts, OK gives 5, cancel gives 2, the close box and Escape
// give 2, and the countdown closes it with 2. Clicks are sent from a timer that runs inside the
// window's own message loop; a watchdog ends every test within seconds.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Wide.h"
#include "ui/win32/LabelButton.h"
#include "ui/win32/MsgBoxWindow.h"

namespace plenvik::test {
namespace {

using namespace plenvik::win32;

std::wstring textOf(HWND w) {
    wchar_t buffer[512] = {};
    GetWindowTextW(w, buffer, 512);
    return buffer;
}

// What the timer procedure does at its first tick (one test at a time).
struct Scripted {
    HWND box = nullptr;
    HWND owner = nullptr;
    int action = 0;  // kMsgBoxOkId, kMsgBoxCancelId, WM_CLOSE, VK_ESCAPE, or 0 = nothing
    bool ownerWasDisabled = false;
    std::wstring infoSeen;
};
Scripted g_script;

void clickLabel(HWND label) {
    SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void CALLBACK actOnce(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    Scripted& s = g_script;
    s.ownerWasDisabled = s.owner && !IsWindowEnabled(s.owner);
    s.infoSeen = textOf(GetDlgItem(s.box, kMsgBoxInfoId));
    if (s.action == kMsgBoxOkId || s.action == kMsgBoxCancelId) {
        HWND label = GetDlgItem(s.box, s.action);
        SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        s.action = 0;
        // The pressed look shows between press and release.
        EXPECT_TRUE(SendMessageW(label, kLabelButtonIsPressed, 0, 0));
        SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    } else if (s.action == WM_CLOSE) {
        PostMessageW(s.box, WM_CLOSE, 0, 0);
    } else if (s.action == VK_ESCAPE) {
        HWND focus = GetFocus();
        PostMessageW(focus ? focus : s.box, WM_KEYDOWN, VK_ESCAPE, 0);
    }
}

// Ends a box that is still open after the time with OK (a result no countdown or cancel gives).
void CALLBACK watchdog(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (IsWindow(g_script.box) && IsWindowVisible(g_script.box)) clickLabel(GetDlgItem(g_script.box, kMsgBoxOkId));
}

class MsgBoxWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = CreateWindowExW(0, L"STATIC", L"Besitzer", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
        ASSERT_NE(owner, nullptr);
        g_script = Scripted{};
        g_script.owner = owner;
    }
    void TearDown() override { DestroyWindow(owner); }

    // Runs the box modally with the scripted action after 300 ms and the watchdog after watchdogMs.
    int run(CountdownMessageBox& form, MsgBoxWindow& window, int action, UINT watchdogMs = 6000) {
        (void)form;
        g_script.box = window.handle();
        g_script.action = action;
        const UINT_PTR act = SetTimer(nullptr, 0, 300, actOnce);
        const UINT_PTR dog = SetTimer(nullptr, 0, watchdogMs, watchdog);
        const int result = window.showModal();
        // No timer of this test may fire in the next one.
        KillTimer(nullptr, act);
        KillTimer(nullptr, dog);
        return result;
    }
    HWND owner = nullptr;
};

TEST_F(MsgBoxWindowTest, ShowsTitleMessageAndButtons) {
    CountdownMessageBox form;
    MsgBoxWindow window(form, owner);
    ASSERT_NE(window.handle(), nullptr);
    form.initialize("Aufl\u00F6sung pr\u00FCfen", "Die neue Aufl\u00F6sung ist aktiv.\nBehalten?", 0);
    EXPECT_EQ(textOf(window.handle()), L"Aufl\u00F6sung pr\u00FCfen");
    EXPECT_EQ(textOf(GetDlgItem(window.handle(), kMsgBoxTitleId)), L"Aufl\u00F6sung pr\u00FCfen");
    EXPECT_EQ(textOf(GetDlgItem(window.handle(), kMsgBoxMessageId)), L"Die neue Aufl\u00F6sung ist aktiv.\r\nBehalten?");
    EXPECT_EQ(textOf(GetDlgItem(window.handle(), kMsgBoxInfoId)), L"") << "no countdown";
    EXPECT_EQ(textOf(GetDlgItem(window.handle(), kMsgBoxOkId)), L"OK");
    EXPECT_EQ(textOf(GetDlgItem(window.handle(), kMsgBoxCancelId)), L"Abbrechen");
    EXPECT_EQ(GetWindow(window.handle(), GW_OWNER), owner);
    EXPECT_FALSE(IsWindowVisible(window.handle())) << "shown only by showModal";
}

TEST_F(MsgBoxWindowTest, OkConfirmsWithFiveAndGivesTheOwnerBack) {
    CountdownMessageBox form;
    MsgBoxWindow window(form, owner);
    form.initialize("Titel", "Nachricht", 0);
    EXPECT_EQ(run(form, window, kMsgBoxOkId), kMsgBoxConfirmed);
    EXPECT_TRUE(g_script.ownerWasDisabled) << "modal: the owner takes no input meanwhile";
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindowVisible(window.handle()));
    EXPECT_EQ(form.lblCmdOk().Tag, "RUN");
    EXPECT_FALSE(SendDlgItemMessageW(window.handle(), kMsgBoxOkId, kLabelButtonIsPressed, 0, 0)) << "flat look again";
}

TEST_F(MsgBoxWindowTest, CancelTheCloseBoxAndEscapeGiveTwo) {
    for (const int action : {kMsgBoxCancelId, static_cast<int>(WM_CLOSE), static_cast<int>(VK_ESCAPE)}) {
        CountdownMessageBox form;
        MsgBoxWindow window(form, owner);
        form.initialize("Titel", "Nachricht", 0);
        EXPECT_EQ(run(form, window, action), kMsgBoxCancelled) << "action " << action;
        EXPECT_TRUE(IsWindow(window.handle())) << "the close box hides; the caller unloads";
    }
}

TEST_F(MsgBoxWindowTest, TheCountdownClosesWithTwo) {
    CountdownMessageBox form;
    MsgBoxWindow window(form, owner);
    form.initialize("Titel", "Nachricht", 2);
    EXPECT_EQ(textOf(GetDlgItem(window.handle(), kMsgBoxInfoId)), L"Maske schlie\u00DFt in 1 Sek. ...");
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(run(form, window, 0, 8000), kMsgBoxCancelled) << "the watchdog would have given 5";
    EXPECT_EQ(g_script.infoSeen, L"Maske schlie\u00DFt in 1 Sek. ...") << "the text shown at once";
    EXPECT_EQ(textOf(GetDlgItem(window.handle(), kMsgBoxInfoId)), L"Maske schlie\u00DFt in 0 Sek. ...");
    EXPECT_GE(GetTickCount64() - start, 1500u) << "two ticks of a second each";
}

void CALLBACK clickOkOfQuestion(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND box = FindWindowW(kMsgBoxWindowClass, L"Frage");
    if (box) clickLabel(GetDlgItem(box, kMsgBoxOkId));
}

void CALLBACK closeQuestion(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND box = FindWindowW(kMsgBoxWindowClass, L"Frage");
    if (box) PostMessageW(box, WM_CLOSE, 0, 0);
}

TEST_F(MsgBoxWindowTest, TheConvenienceCallReturnsTheResult) {
    // The box of showCountdownMessageBox is found by its class and caption once it is shown.
    const UINT_PTR act = SetTimer(nullptr, 0, 300, clickOkOfQuestion);
    const UINT_PTR dog = SetTimer(nullptr, 0, 6000, closeQuestion);
    EXPECT_EQ(showCountdownMessageBox(owner, "Frage", "Weiter?", 0), kMsgBoxConfirmed);
    KillTimer(nullptr, act);
    KillTimer(nullptr, dog);
    EXPECT_EQ(FindWindowW(kMsgBoxWindowClass, L"Frage"), nullptr) << "unloaded afterwards";
}

TEST_F(MsgBoxWindowTest, AButtonReleasedOutsideOrLosingTheMouseActsNotAndLooksFlat) {
    CountdownMessageBox form;
    MsgBoxWindow window(form, owner);
    form.initialize("Titel", "Nachricht", 0);
    HWND ok = GetDlgItem(window.handle(), kMsgBoxOkId);
    SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
    EXPECT_EQ(form.lblCmdOk().Tag, "");
    EXPECT_FALSE(SendMessageW(ok, kLabelButtonIsPressed, 0, 0));
    HWND cancel = GetDlgItem(window.handle(), kMsgBoxCancelId);
    SendMessageW(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(GetCapture(), cancel);
    ReleaseCapture();  // WM_CAPTURECHANGED
    EXPECT_EQ(form.lblCmdCancel().Tag, "");
    EXPECT_FALSE(SendMessageW(cancel, kLabelButtonIsPressed, 0, 0));
    EXPECT_EQ(form.Result(), kMsgBoxOpen);
}

}  // namespace
}  // namespace plenvik::test
