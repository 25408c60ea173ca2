// Plenvik.exe under Wine: its main window, its controls, and how the command line ends the program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "app/win32/MainWindow.h"
#include "app/win32/MainWindowIds.h"
#include "driver/WineDriver.h"
#include "platform/win32/InputBox.h"
#include "platform/win32/Win32Platform.h"
#include "support/ScriptedErrorHandler.h"
#include "ui/win32/LabelButton.h"
#include "ui/win32/ModalForm.h"

namespace plenvik::test {
namespace {

using namespace plenvik::win32;

std::wstring plenvikExe() { return buildFolder() + L"\\Plenvik.exe"; }

HWND waitForMainWindow(const ChildProcess& p) {
    HWND main = nullptr;
    // Visible means complete: the window is shown after its controls are made.
    pollUntil([&] { return (main = findTopWindow(p.id(), kMainWindowClass)) != nullptr && IsWindowVisible(main); });
    return main;
}

TEST(MainWindowTest, ShowsItsControlsWithTheirGermanCaptions) {
    ChildProcess plenvik(plenvikExe(), L"");
    ASSERT_TRUE(plenvik.started());
    HWND main = waitForMainWindow(plenvik);
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    EXPECT_EQ(windowText(main), L"Plenvik");

    const struct {
        int id;
        const wchar_t* caption;
    } labels[] = {
        {kIdLblCmdProjectSave, L"Desktop Projekt erstellen/speichern"},
        {kIdLblCmdDesktopRestore, L"Desktop Symbole aus Projektdatei herstellen"},
        {kIdLblCmdChangeDesktopSettings, L"Desktop Einstellungen \u00E4ndern"},
        {kIdLblCmdSettings, L"Einstellungen"},
        {kIdLblCmdProtokoll, L"Protokoll anzeigen"},
        {kIdLblCmdDirChoose, L"....."},
        {kIdLblCmdClose, L"&Schlie\u00DFen"},
        {kIdLblProjects, L"Projekte:"},
        {kIdLblProjectData, L"Projektdaten:"},
        {kIdLblProjectName, L"Verzeichnis:"},
    };
    for (const auto& l : labels) {
        HWND c = GetDlgItem(main, l.id);
        ASSERT_NE(c, nullptr) << "control " << l.id;
        EXPECT_EQ(windowText(c), l.caption) << "control " << l.id;
    }
    // The directory box shows the program's folder.
    std::wstring folder = windowText(GetDlgItem(main, kIdTxtDirectoryName));
    EXPECT_EQ(_wcsicmp(folder.c_str(), buildFolder().c_str()), 0) << "the directory box shows the program's folder";

    const std::vector<std::wstring> projectHeaders = listViewHeaders(GetDlgItem(main, kIdLvwProjects));
    ASSERT_EQ(projectHeaders.size(), 17u);
    EXPECT_EQ(projectHeaders[0], L"Version");
    EXPECT_EQ(projectHeaders[2], L"OS Benutzer");
    EXPECT_EQ(projectHeaders[16], L"Datum/Zeit Sortierung");
    const std::vector<std::wstring> dataHeaders = listViewHeaders(GetDlgItem(main, kIdLvwProjectData));
    ASSERT_EQ(dataHeaders.size(), 14u);
    EXPECT_EQ(dataHeaders[0], L"Titel (Datei und Monitore)");
    EXPECT_EQ(dataHeaders[11], L"ColorDepth");
    const std::vector<std::wstring> iconHeaders = listViewHeaders(GetDlgItem(main, kIdLvwProjectIcons));
    ASSERT_EQ(iconHeaders.size(), 8u);
    EXPECT_EQ(iconHeaders[0], L"Titel (Symbole)");
    EXPECT_EQ(iconHeaders[7], L"ErrInfo");
    EXPECT_NE(SendMessageW(GetDlgItem(main, kIdLvwProjectIcons), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES, 0);

    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD code = 99;
    EXPECT_TRUE(plenvik.waitForExit(10000, &code)) << "closing the main window ends the program";
    EXPECT_EQ(code, 0u);
}

TEST(MainWindowTest, NormalStartStaysOpenAfterTheDeferredCommand) {
    ChildProcess plenvik(plenvikExe(), L"save");  // lower case: no command
    HWND main = waitForMainWindow(plenvik);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(pollUntil([&] { return GetPropW(main, kCommandDoneProperty) != nullptr; })) << "the deferred command ran";
    EXPECT_TRUE(plenvik.running());
    // The search replaced the "(laden...)" row with the current desktop's, and the restore command
    // waits for a project.
    HWND projects = GetDlgItem(main, kIdLvwProjects);
    ASSERT_GE(listViewItemCount(projects), 1);
    EXPECT_EQ(listViewItemText(projects, 0, 0), L"(aktuell)");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, kIdLblCmdDesktopRestore)));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(plenvik.waitForExit(10000));
}

TEST(MainWindowTest, SaveOnTheCommandLineAsksForTheNameAndEndsWhenCancelled) {
    ChildProcess plenvik(plenvikExe(), L"SAVE 0");
    ASSERT_NE(waitForMainWindow(plenvik), nullptr);
    HWND prompt = nullptr;
    ASSERT_TRUE(pollUntil([&] {
        return (prompt = findTopWindow(plenvik.id(), win32::kInputBoxClass)) != nullptr && IsWindowVisible(prompt);
    })) << "the save did not ask for the file name";
    EXPECT_EQ(windowText(prompt), L"Plenvik - Dateiname...");
    EXPECT_EQ(windowText(GetDlgItem(prompt, win32::kInputBoxEditId)).rfind(L"Plenvik ", 0), 0u) << "the automatic name is offered";
    PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
    DWORD code = 99;
    EXPECT_TRUE(plenvik.waitForExit(20000, &code)) << "SAVE ends the program, also when the user cancels";
    EXPECT_EQ(code, 0u);
}

TEST(MainWindowTest, RestoreOfAMissingFileRestoresNothingAndEnds) {
    ChildProcess plenvik(plenvikExe(), L"RESTORE \"mein Desktop 261206072546.Plenvk\"");
    ASSERT_NE(waitForMainWindow(plenvik), nullptr);
    DWORD code = 99;
    EXPECT_TRUE(plenvik.waitForExit(20000, &code)) << "RESTORE ends the program";
    EXPECT_EQ(code, 0u);
}

TEST(MainWindowTest, ProtocolCommandIsDisabledUntilTheFirstRun) {
    ChildProcess plenvik(plenvikExe(), L"");
    HWND main = waitForMainWindow(plenvik);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, kIdLblCmdProtokoll)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, kIdLblCmdProjectSave)));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(plenvik.waitForExit(10000));
}

}  // namespace
}  // namespace plenvik::test

namespace plenvik::test {
namespace {

// Wine keeps menus per process, so the menu is checked with the window in this test's own process.
TEST(MainWindowTest, ProgramPictureOpensTheHelpMenu) {
    win32::Win32Platform platform;
    ScriptedErrorHandler errors;
    UnavailableActions actions;
    MainController form(platform.platform(), errors, actions);
    win32::MainWindow window(form);
    ASSERT_TRUE(window.create("", SW_SHOW));
    HWND main = window.handle();

    std::vector<std::wstring> items;
    std::atomic<bool> done{false}, popped{false};
    std::thread user([&] {
        HWND popup = nullptr;
        popped = pollUntil([&] { return (popup = FindWindowW(L"#32768", nullptr)) != nullptr && IsWindowVisible(popup); });
        if (popped) {
            HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                wchar_t text[128] = {};
                GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
                items.push_back((GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) ? L"-" : text);
            }
        }
        PostMessageW(main, WM_CANCELMODE, 0, 0);
        done = true;
    });
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(kIdImgMain, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(main, kIdImgMain)));
    MSG msg;
    while (!done || PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            Sleep(5);
        }
    }
    user.join();
    ASSERT_TRUE(popped) << "the help menu did not pop up";
    const std::vector<std::wstring> expected = {L"HTML Hilfe aufrufen", L"-", L"Informationen", L"Orvel GmbH im Internet"};
    EXPECT_EQ(items, expected);
    DestroyWindow(main);
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}  // the window's quit message is not meant for the next test
}

// A press that ends outside the label (released elsewhere, or the mouse taken away) leaves no label
// pressed; a row the user deselects is no longer the model's selection.
TEST(MainWindowTest, APressEndingOutsideALabelAndADeselectedRowLeaveNothingSelected) {
    win32::Win32Platform platform;
    ScriptedErrorHandler errors;
    UnavailableActions actions;
    MainController form(platform.platform(), errors, actions);
    win32::MainWindow window(form);
    ASSERT_TRUE(window.create("", SW_SHOW));
    HWND main = window.handle();

    HWND save = GetDlgItem(main, kIdLblCmdProjectSave);
    SendMessageW(save, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(SendMessageW(save, kLabelButtonIsPressed, 0, 0));
    SendMessageW(save, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
    EXPECT_EQ(form.command(CommandId::ProjectSave).tag, "");
    EXPECT_FALSE(SendMessageW(save, kLabelButtonIsPressed, 0, 0));
    SendMessageW(save, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ReleaseCapture();  // WM_CAPTURECHANGED
    EXPECT_EQ(form.command(CommandId::ProjectSave).tag, "");
    EXPECT_FALSE(SendMessageW(save, kLabelButtonIsPressed, 0, 0));

    ListModel& projects = form.lists.projects;
    projects.clear();
    projects.add("a.Plenvk", "a", "DESY");
    projects.add("b.Plenvk", "b", "DESY");
    projects.select(1);
    HWND list = GetDlgItem(main, kIdLvwProjects);
    ASSERT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 1);
    ListView_SetItemState(list, 1, 0, LVIS_SELECTED);  // as a click beside the rows does
    EXPECT_EQ(projects.selectedIndex(), -1);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), -1);
    DestroyWindow(main);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}  // the window's quit message is not meant for the next test
}

TEST(MainWindowTest, ResizeStretchesTheListsAndMovesTheButtonsDown) {
    ChildProcess plenvik(plenvikExe(), L"");
    HWND main = waitForMainWindow(plenvik);
    ASSERT_NE(main, nullptr);
    SetWindowPos(main, nullptr, 0, 0, 1100, 800, SWP_NOZORDER | SWP_NOMOVE);
    RECT client{};
    ASSERT_TRUE(pollUntil([&] {
        GetClientRect(main, &client);
        RECT icons{};
        GetWindowRect(GetDlgItem(main, kIdLvwProjectIcons), &icons);
        return icons.right - icons.left == (client.right * 15 - 375) / 15;
    })) << "the icon list did not take the new width";
    // The button row sits at the bottom: top = inner height - its height + 30 twips.
    RECT save{};
    GetWindowRect(GetDlgItem(main, kIdLblCmdProjectSave), &save);
    POINT topLeft{save.left, save.top};
    ScreenToClient(main, &topLeft);
    const int buttonsTop = (client.bottom * 15 - 1000 + 30) / 15;
    EXPECT_NEAR(topLeft.y, buttonsTop + 400 / 15, 1);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(plenvik.waitForExit(10000));
}

}  // namespace
}  // namespace plenvik::test

namespace plenvik::test {
namespace {

int fontHeight(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

int width(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

// A move to a screen at 175 % (168 dpi): the layout in twips is converted exactly (8.57 twips a pixel),
// the columns and the font follow. (Under Wine the window keeps its size here; the resize rule is checked
// against the client area it has.)
TEST(MainWindowTest, DpiChangeLaysTheWindowOutAtTheNewResolution) {
    win32::Win32Platform platform;
    ScriptedErrorHandler errors;
    UnavailableActions actions;
    MainController form(platform.platform(), errors, actions);
    win32::MainWindow window(form);
    ASSERT_TRUE(window.create("", SW_SHOW));
    HWND main = window.handle();
    const int before = window.dotsPerInch();
    const int fontBefore = fontHeight(GetDlgItem(main, kIdLvwProjects));
    ASSERT_NE(fontBefore, 0);

    constexpr int kNewDpi = 168;
    // A size that fits the bench's 1280x1024 screen (Wine keeps windows within it).
    const RECT suggested{0, 0, 1100, 900};
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(kNewDpi, kNewDpi), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(window.dotsPerInch(), kNewDpi);
    EXPECT_EQ(width(GetDlgItem(main, kIdLvwProjects)), 952) << "8160 twips at 168 dpi";
    EXPECT_EQ(ListView_GetColumnWidth(GetDlgItem(main, kIdLvwProjectData), 1), 875) << "7500 twips at 168 dpi";
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(width(GetDlgItem(main, kIdLvwProjectIcons)), twipsToPixels(pixelsToTwips(client.right, kNewDpi) - 375, kNewDpi))
        << "the resize rule at the new resolution";
    EXPECT_EQ(fontHeight(GetDlgItem(main, kIdLvwProjects)), MulDiv(fontBefore, kNewDpi, before));
    EXPECT_EQ(fontHeight(GetDlgItem(main, kIdLblInfo)), MulDiv(fontBefore, kNewDpi, before));
    DestroyWindow(main);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}  // the window's quit message is not meant for the next test
}

// The settings dialogs hand their WM_DPICHANGED to rescaleForm: controls and font scale, the window
// takes the suggested rectangle.
TEST(MainWindowTest, DpiChangeScalesAFormsControlsAndFont) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PlenvikDpiTestForm";
    RegisterClassW(&wc);
    win32::FormMetrics metrics = win32::readFormMetrics();
    const win32::WindowShape shape = win32::formShape("Test", metrics, 300, 200, nullptr);
    HWND form = CreateWindowExW(shape.exStyle, wc.lpszClassName, shape.caption.c_str(), shape.style, shape.x, shape.y, shape.width,
                                shape.height, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(form, nullptr);
    HWND edit = win32::addFormControl(form, metrics, L"EDIT", "", 0, 1, 10, 20, 100, 24);
    const int before = metrics.dotsPerInch, fontBefore = fontHeight(edit);

    const RECT suggested{10, 10, 10 + MulDiv(300, 2 * before, 96), 10 + MulDiv(200, 2 * before, 96)};
    win32::rescaleForm(form, metrics, 2 * before, suggested);
    RECT r{};
    GetWindowRect(edit, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 2 * MulDiv(10, before, 96));
    EXPECT_EQ(r.top, 2 * MulDiv(20, before, 96));
    EXPECT_EQ(r.right - r.left, 2 * MulDiv(100, before, 96));
    EXPECT_EQ(r.bottom - r.top, 2 * MulDiv(24, before, 96));
    EXPECT_EQ(fontHeight(edit), 2 * fontBefore);
    EXPECT_EQ(metrics.dotsPerInch, 2 * before);
    GetWindowRect(form, &r);
    EXPECT_EQ(r.right - r.left, suggested.right - suggested.left);
    DestroyWindow(form);
}

}  // namespace
}  // namespace plenvik::test
