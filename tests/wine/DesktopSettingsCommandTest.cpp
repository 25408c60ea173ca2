// The main window's desktop-settings command in Plenvik.exe under Wine: it opens "Desktop Ansicht"
// filled from the test shell's desktop, and "&Schließen" brings the main window back.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/win32/MainWindowIds.h"
#include "driver/TestShell.h"
#include "settings/win32/DesktopSettingsWindow.h"

namespace plenvik::test {
namespace {

void click(HWND label) {
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST(DesktopSettingsCommandTest, OpensTheDialogFilledFromTheDesktopAndClosesIt) {
    TestShell shell(L"--style 103");
    ASSERT_TRUE(shell.ready());
    ChildProcess plenvik(buildFolder() + L"\\Plenvik.exe", L"");
    HWND main = nullptr;
    ASSERT_TRUE(
        pollUntil([&] { return (main = findTopWindow(plenvik.id(), win32::kMainWindowClass)) != nullptr && IsWindowVisible(main); }));
    ASSERT_TRUE(pollUntil([&] { return GetPropW(main, win32::kCommandDoneProperty) != nullptr; }));

    click(GetDlgItem(main, win32::kIdLblCmdChangeDesktopSettings));
    HWND dialog = nullptr;
    ASSERT_TRUE(pollUntil([&] {
        dialog = findTopWindow(plenvik.id(), win32::kDesktopSettingsWindowClass);
        return dialog && IsWindowVisible(dialog);
    })) << "the dialog did not open";
    EXPECT_EQ(windowText(dialog), L"Desktop Ansicht");
    // The shell shows an auto-arranged list: the dialog says so.
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, win32::kIdLstIconView), LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, win32::kIdChkIconsArrangeAutomatic), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(windowText(GetDlgItem(dialog, win32::lblMonId(1))), L"Monitor 1");

    click(GetDlgItem(dialog, win32::kIdDesktopLblCmdSettingsClose));
    EXPECT_TRUE(pollUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) << "the dialog did not close";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(plenvik.waitForExit(10000));
}

}  // namespace
}  // namespace plenvik::test
