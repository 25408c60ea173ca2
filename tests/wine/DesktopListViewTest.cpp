// Plenvik's desktop access against the test shell under Wine: a real list view in another process,
// read and moved through remote memory in the shell's layout, with the shell's Explorer-like grid.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>

#include "desktop/DesktopIcons.h"
#include "desktop/DesktopSystemIcons.h"
#include "desktop/ListViewItemLayout.h"
#include "desktop/DesktopWindow.h"
#include "driver/TestShell.h"
#include "errors/RuntimeError.h"
#include "platform/win32/DesktopListView.h"
#include "platform/win32/DesktopWindows.h"
#include "platform/win32/Win32IconView.h"
#include "platform/win32/Wide.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik::test {
namespace {

using win32::widen;

const std::wstring kRecycleBin = L"{645FF040-5081-101B-9F08-00AA002F954E}";

// The grid these tests give the shell: the first cell at (20, 10), cells 100 x 90.
const std::wstring kGrid = L"--grid 20,10,100,90 ";
IconPosition cell(int column, int row) { return {20 + 100 * column, 10 + 90 * row}; }

std::vector<std::string> labels(const std::vector<IconItem>& items) {
    std::vector<std::string> out;
    for (const auto& i : items) out.push_back(i.label);
    return out;
}

// Options for a shell that shows exactly these labels, optionally with start positions ("x y label").
std::wstring iconSet(const TempFolder& folder, const std::vector<std::string>& names, const std::string& positions = {}) {
    std::string text;
    for (const auto& n : names) text += n + "\n";
    writeUtf8File(folder.file(L"icons.txt"), text);
    std::wstring options = kGrid + L"--icons \"" + folder.file(L"icons.txt") + L"\"";
    if (!positions.empty()) {
        writeUtf8File(folder.file(L"positions.txt"), positions);
        options += L" --positions \"" + folder.file(L"positions.txt") + L"\"";
    }
    return options;
}

class DesktopListViewTest : public ::testing::Test {
protected:
    win32::Win32IconView view;
    ScriptedErrorHandler errors;
    TempFolder folder;
};

TEST_F(DesktopListViewTest, ReadsSixIconsWithTheirLabelsWholeInOneBlock) {
    const std::string longLabel = "Langer Name mit genau zweihundert Zeichen " + std::string(154, 'x') + ".txt";
    ASSERT_EQ(longLabel.size(), 200u);
    DesktopFile umlauts(CSIDL_DESKTOPDIRECTORY, L"\u00DCbersicht \u00C4pfel \u00F6\u00DF.txt");
    DesktopFile euro(CSIDL_DESKTOPDIRECTORY, L"Preis 5 \u20AC.lnk");
    DesktopFile folderIcon(CSIDL_DESKTOPDIRECTORY, L"Ordner \u00D6l", true);
    DesktopFile shortcut(CSIDL_COMMON_DESKTOPDIRECTORY, L"Nachrichten.url");
    DesktopFile longName(CSIDL_COMMON_DESKTOPDIRECTORY, widen(longLabel));
    for (const DesktopFile* f : {&umlauts, &euro, &folderIcon, &shortcut, &longName}) ASSERT_TRUE(f->created());
    // Of the system icons only the Recycle Bin, under a label no file name could have.
    std::vector<std::unique_ptr<RegistryValueFixture>> registry;
    for (const auto& icon : kDesktopSystemIcons)
        for (const wchar_t* which : {L"ClassicStartMenu", L"NewStartPanel"})
            registry.push_back(
                std::make_unique<RegistryValueFixture>(widen(kHideDesktopIconsKey) + L"\\" + which, widen(icon.clsid), REG_DWORD,
                                                       RegistryValueFixture::dword(widen(icon.clsid) == kRecycleBin ? 0 : 1)));
    registry.push_back(std::make_unique<RegistryValueFixture>(widen(kSystemIconLabelKey) + L"\\" + kRecycleBin, L"", REG_SZ,
                                                              RegistryValueFixture::text(L"A&B <1>")));
    for (const auto& r : registry) ASSERT_TRUE(r->set());

    TestShell shell(L"");
    ASSERT_TRUE(shell.ready()) << "the test shell did not signal that it is ready";
    std::vector<IconItem> icons;
    ASSERT_TRUE(readDesktopIcons(view, errors, icons));
    EXPECT_EQ(labels(icons),
              (std::vector<std::string>{"A&B <1>", longLabel, "Nachrichten", "Ordner Öl", "Preis 5 €", "Übersicht Äpfel öß.txt"}));
    // Exactly what the shell's list view holds, read in its own process.
    const ShellDump inside = shell.dump();
    ASSERT_EQ(inside.count, 6);
    EXPECT_EQ(icons, inside.items);
    EXPECT_EQ(icons[4].position, inside.cell(0, 4));
    EXPECT_TRUE(errors.reports.empty());

    EXPECT_EQ(readListViewLabel(view, 1), longLabel);
    EXPECT_EQ(win32::readListViewLabel(shell.listView, 1), longLabel);
    win32::DesktopListView listView(shell.listView);
    EXPECT_EQ(listView.readAll(), inside.items);
    EXPECT_EQ(listView.blocksAllocated(), 1) << "one remote block for the whole inventory";
    // Batches of four: the block serves the second, shorter batch too.
    win32::DesktopListView batched(shell.listView, win32::DesktopListView::kInitialLabelCapacity, 4);
    EXPECT_EQ(batched.readAll(), inside.items);
    EXPECT_EQ(batched.blocksAllocated(), 1);
    // A first block too small for the long label grows once, and the label still comes whole.
    win32::DesktopListView small(shell.listView, 64);
    EXPECT_EQ(small.readAll(), inside.items);
    EXPECT_EQ(small.blocksAllocated(), 2);
}

// The shell may have another bitness than this test (the 32-bit run drives the 64-bit shell): its
// process says which. Its own bitness is the compiler's LVITEMW; the other one is pinned by hand.
bool processIs64Bit(DWORD processId) {
    BOOL selfUnderWow64 = FALSE, shellUnderWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &selfUnderWow64);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    EXPECT_NE(process, nullptr);
    if (!process) return sizeof(void*) == 8;
    EXPECT_TRUE(IsWow64Process(process, &shellUnderWow64));
    CloseHandle(process);
    const bool systemIs64Bit = sizeof(void*) == 8 || selfUnderWow64;
    return systemIs64Bit && !shellUnderWow64;
}

TEST_F(DesktopListViewTest, TheItemBlockHasTheShellsLayout) {
    TestShell shell(iconSet(folder, {"a"}));
    ASSERT_TRUE(shell.ready());
    const bool shell64 = processIs64Bit(shell.processId);
    const ListViewItemLayout layout = listViewItemLayout(shell64);
    if (shell64 == (sizeof(void*) == 8)) {
        EXPECT_EQ(layout.size, sizeof(LVITEMW));
        EXPECT_EQ(layout.textOffset, offsetof(LVITEMW, pszText));
        EXPECT_EQ(layout.textMaxOffset, offsetof(LVITEMW, cchTextMax));
    } else {
        EXPECT_EQ(layout.size, shell64 ? 88u : 60u);
        EXPECT_EQ(layout.textOffset, shell64 ? 24u : 20u);
        EXPECT_EQ(layout.textMaxOffset, shell64 ? 32u : 24u);
    }
    EXPECT_EQ(win32::DesktopListView(shell.listView).target64(), shell64);
}

TEST_F(DesktopListViewTest, MovesAnIconAndReadsItBackIncludingNegativeAndLargeCoordinates) {
    TestShell shell(L"--no-snap " + iconSet(folder, {"Eins", "Zwei", "Drei"}));
    ASSERT_TRUE(shell.ready());
    EXPECT_TRUE(moveDesktopIcon(view, errors, 1, 417, 333));
    EXPECT_EQ(shell.dump().items[1].position, (IconPosition{417, 333}));
    EXPECT_TRUE(iconIsAt(view, errors, 1, 417, 333));
    EXPECT_FALSE(iconIsAt(view, errors, 1, 417, 334));

    // Negative x in the low half must not borrow from y.
    EXPECT_TRUE(moveDesktopIcon(view, errors, 2, -40, 50));
    EXPECT_EQ(shell.dump().items[2].position, (IconPosition{-40, 50}));
    // Beyond 16 bits: LVM_SETITEMPOSITION32, no overflow.
    EXPECT_TRUE(moveDesktopIcon(view, errors, 2, 40000, 50));
    EXPECT_TRUE(moveDesktopIcon(view, errors, 0, 120, 70000));
    const ShellDump after = shell.dump();
    EXPECT_EQ(after.items[2].position, (IconPosition{40000, 50}));
    EXPECT_EQ(after.items[0].position, (IconPosition{120, 70000}));
    // The others stayed.
    EXPECT_EQ(after.items[1].position, (IconPosition{417, 333}));
    // An item beyond the last reads as (0, 0) and cannot be moved.
    EXPECT_TRUE(iconIsAt(view, errors, 9, 0, 0));
    EXPECT_FALSE(moveDesktopIcon(view, errors, 9, 20, 10));
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(DesktopListViewTest, SnapTestReportsFiveWithSnapToGridAndLeavesTheFirstIconOnItsCell) {
    TestShell shell(L"--snap " + iconSet(folder, {"Eins", "Zwei"}));
    ASSERT_TRUE(shell.ready());
    ASSERT_TRUE(shell.dump().snap);
    std::vector<IconItem> icons;
    EXPECT_EQ(measureSnapToGrid(view, errors, icons, true), 5);
    EXPECT_EQ(shell.dump().items[0].position, cell(0, 0));
    // A move with snap-to-grid lands on the nearest cell.
    EXPECT_FALSE(moveDesktopIcon(view, errors, 1, 333, 140));
    EXPECT_EQ(shell.dump().items[1].position, cell(3, 1));
}

TEST_F(DesktopListViewTest, SnapTestFromOffTheGridEndsOnTheCellNearestToTheTrialMove) {
    TestShell shell(L"--snap " + iconSet(folder, {"Eins", "Zwei"}, "171 56 Eins\n"));
    ASSERT_TRUE(shell.ready());
    ASSERT_EQ(shell.dump().items[0].position, (IconPosition{171, 56}));  // start positions are kept as given
    std::vector<IconItem> icons;
    EXPECT_EQ(measureSnapToGrid(view, errors, icons, true), 5);
    EXPECT_EQ(shell.dump().items[0].position, cell(2, 1));  // nearest to (170, 55)
}

TEST_F(DesktopListViewTest, SnapTestReportsZeroWithoutSnapToGridAndLeavesTheFirstIconWhereItWas) {
    TestShell shell(L"--no-snap " + iconSet(folder, {"Eins", "Zwei"}, "257 133 Eins\n"));
    ASSERT_TRUE(shell.ready());
    std::vector<IconItem> icons;
    EXPECT_EQ(measureSnapToGrid(view, errors, icons, true), 0);
    EXPECT_EQ(shell.dump().items[0].position, (IconPosition{257, 133}));
    EXPECT_EQ(icons.size(), 2u);
}

TEST_F(DesktopListViewTest, AnEmptyDesktopReadsAsNoIconsAndDoesNotSnap) {
    TestShell shell(iconSet(folder, {}));
    ASSERT_TRUE(shell.ready());
    std::vector<IconItem> icons{{"alt", {1, 2}}};
    EXPECT_TRUE(readDesktopIcons(view, errors, icons));
    EXPECT_TRUE(icons.empty());
    EXPECT_EQ(measureSnapToGrid(view, errors, icons, false), 0);
}

TEST_F(DesktopListViewTest, ViewStyleSwitchesAndIsNamed) {
    TestShell shell(iconSet(folder, {"Eins", "Zwei", "Drei"}, "500 400 Eins\n"));
    ASSERT_TRUE(shell.ready());
    DesktopWindow desktop(view);
    const std::int32_t start = desktop.viewStyle();
    EXPECT_EQ(start, static_cast<std::int32_t>(GetWindowLongW(shell.listView, GWL_STYLE)));
    EXPECT_EQ(DesktopWindow::describeViewStyle(start), "Symbole (normal)");

    ASSERT_TRUE(desktop.setViewStyle(kViewSmallIcon, 0x103));
    EXPECT_EQ(shell.dump().view, LV_VIEW_SMALLICON);
    EXPECT_EQ(DesktopWindow::describeViewStyle(desktop.viewStyle()), "Symbole klein");
    EXPECT_EQ(desktop.viewStyle() & ~0x103, start & ~0x103) << "other style bits unchanged";

    ASSERT_TRUE(desktop.setViewStyle(kViewList, 0x103));
    EXPECT_EQ(shell.dump().view, LV_VIEW_LIST);
    EXPECT_EQ(DesktopWindow::describeViewStyle(desktop.viewStyle()), "Liste");

    ASSERT_TRUE(desktop.setViewStyle(kViewReport, 0x103));
    EXPECT_EQ(shell.dump().view, LV_VIEW_DETAILS);
    EXPECT_EQ(DesktopWindow::describeViewStyle(desktop.viewStyle()), "Details");

    // Back to large icons: the icons are where they were.
    ASSERT_TRUE(desktop.setViewStyle(kViewIcon, 0x103));
    ShellDump d = shell.dump();
    EXPECT_EQ(d.view, LV_VIEW_ICON);
    EXPECT_EQ(d.items[0].position, (IconPosition{500, 400}));

    // Auto-arrange lines them up in index order at once.
    ASSERT_TRUE(desktop.setViewStyle(0x100, 0x103));
    EXPECT_EQ(DesktopWindow::describeViewStyle(desktop.viewStyle()), "Symbole (normal), Automatisch anordnen");
    d = shell.dump();
    EXPECT_EQ(d.items[0].position, cell(0, 0));
    EXPECT_EQ(d.items[1].position, cell(0, 1));
    EXPECT_EQ(d.items[2].position, cell(0, 2));
    // With auto-arrange a move does not stick; the snap test sees the icon put elsewhere.
    EXPECT_FALSE(moveDesktopIcon(view, errors, 2, 700, 500));
    EXPECT_EQ(shell.dump().items[2].position, cell(0, 2));
}

TEST_F(DesktopListViewTest, ArrangeSnapsEachIconToItsNearestFreeCell) {
    TestShell shell(iconSet(folder, {"a", "b", "c", "d"}, "225 105 a\n215 95 b\n220 100 c\n1250 12 d\n"));
    ASSERT_TRUE(shell.ready());
    DesktopWindow desktop(view);
    ASSERT_TRUE(desktop.setArrangeStyle(5));
    const ShellDump d = shell.dump();
    ASSERT_EQ(d.items.size(), 4u);
    EXPECT_EQ(d.items[2].position, cell(2, 1));  // it was on its cell
    EXPECT_EQ(d.items[0].position, cell(2, 2));  // the free cell closest to (225, 105)
    EXPECT_EQ(d.items[1].position, cell(2, 0));  // the free cell closest to (215, 95)
    EXPECT_EQ(d.items[3].position, cell(12, 0));
}

// A stock desktop since Windows 10 1809: a list-view move from another process is shown, and the
// next refresh puts the icon back where the shell keeps it.
TEST_F(DesktopListViewTest, RefreshReadsTheFoldersAgainAndUndoesListViewMoves) {
    DesktopFile a(CSIDL_DESKTOPDIRECTORY, L"Alpha.txt");
    auto b = std::make_unique<DesktopFile>(CSIDL_DESKTOPDIRECTORY, L"Beta.txt");
    ASSERT_TRUE(a.created() && b->created());
    TestShell shell(L"--no-system-icons");
    ASSERT_TRUE(shell.ready());
    const ShellDump start = shell.dump();
    ASSERT_EQ(labels(start.items), (std::vector<std::string>{"Alpha.txt", "Beta.txt"}));
    ASSERT_EQ(view.route(), IconRoute::ListView);
    const IconPosition moved = start.cell(5, 3);
    ASSERT_TRUE(moveDesktopIcon(view, errors, 0, moved.x, moved.y));
    ShellDump d = shell.dump();
    EXPECT_EQ(d.items[0].position, moved) << "shown";
    EXPECT_EQ(d.kept[0], start.items[0].position) << "not kept";

    b.reset();  // removed
    DesktopFile c(CSIDL_COMMON_DESKTOPDIRECTORY, L"Gamma.lnk");
    ASSERT_TRUE(c.created());
    DesktopWindow(view).RefreshDesktop();
    d = shell.dumpAfterRefresh(start.refreshes);
    ASSERT_EQ(labels(d.items), (std::vector<std::string>{"Alpha.txt", "Gamma"}));
    EXPECT_EQ(d.items[0].position, start.items[0].position) << "back where the shell kept it";
    EXPECT_EQ(d.items[1].position, start.cell(0, 1)) << "the new one takes the first free cell";
    std::vector<IconItem> icons;
    ASSERT_TRUE(readDesktopIcons(view, errors, icons));
    EXPECT_EQ(icons, d.items);
}

TEST_F(DesktopListViewTest, WithOutsideMovesKeptTheMoveOutlastsTheRefresh) {
    TestShell shell(L"--keep-outside-moves " + iconSet(folder, {"Eins", "Zwei"}));
    ASSERT_TRUE(shell.ready());
    const int before = shell.dump().refreshes;
    ASSERT_TRUE(moveDesktopIcon(view, errors, 1, 320, 190));
    DesktopWindow(view).RefreshDesktop();
    const ShellDump d = shell.dumpAfterRefresh(before);
    ASSERT_EQ(d.count, 2);
    EXPECT_EQ(d.items[1].position, (IconPosition{320, 190}));
    EXPECT_EQ(d.kept[1], (IconPosition{320, 190}));
}

// A refresh enumerates anew: an icon whose name sorts first takes index 0 and the others move up, as
// the shell's fresh enumeration does; the list view read afterwards sees the new order.
TEST_F(DesktopListViewTest, ARefreshRenumbersTheItemsByName) {
    for (const bool renumber : {true, false}) {
        SCOPED_TRACE(renumber ? "stock" : "--no-renumber");
        DesktopFile b(CSIDL_DESKTOPDIRECTORY, L"Beta.txt");
        DesktopFile d(CSIDL_DESKTOPDIRECTORY, L"Delta.txt");
        ASSERT_TRUE(b.created() && d.created());
        TestShell shell(renumber ? L"--no-system-icons" : L"--no-system-icons --no-renumber");
        ASSERT_TRUE(shell.ready());
        const ShellDump start = shell.dump();
        DesktopFile a(CSIDL_DESKTOPDIRECTORY, L"Alpha.txt");
        ASSERT_TRUE(a.created());
        DesktopWindow(view).RefreshDesktop();
        const ShellDump after = shell.dumpAfterRefresh(start.refreshes);
        const std::vector<std::string> expected = renumber ? std::vector<std::string>{"Alpha.txt", "Beta.txt", "Delta.txt"}
                                                           : std::vector<std::string>{"Beta.txt", "Delta.txt", "Alpha.txt"};
        EXPECT_EQ(labels(after.items), expected);
        std::vector<IconItem> icons;
        ASSERT_TRUE(readDesktopIcons(view, errors, icons));
        EXPECT_EQ(icons, after.items);
        // Known icons are shown where they were, whatever their index now.
        const int beta = renumber ? 1 : 0;
        EXPECT_EQ(after.items[beta].position, start.items[0].position);
    }
}

// Explorer may hang. Every call that reaches its list view then fails with a time-out instead of
// waiting (the shell answers only when woken afterwards, so a call that waited would succeed), and a
// block the unanswered message points into stays in the shell's process: the shell, once awake, reads
// and writes it and answers on. A block freed under it faults the shell's access, which ends Explorer;
// under Wine the fault ends the message unanswered, and the shell's count of late answers falls short.
TEST_F(DesktopListViewTest, AHungDesktopFailsEveryCallWithoutWaitingAndKeepsTheBlocksItWasGiven) {
    TestShell shell(L"--no-snap " + iconSet(folder, {"Eins", "Zwei"}));
    ASSERT_TRUE(shell.ready());
    win32::Win32IconView hungView(win32::FolderViewFinder{}, 300);
    const std::int32_t style = hungView.styleWord();
    const struct {
        const char* call;
        UINT hungIn;
        std::function<void()> run;
    } calls[] = {
        // First, so that the refresh it brings cannot undo the later moves.
        {"refresh", WM_KEYDOWN, [&] { hungView.refresh(); }},
        {"readAll", LVM_GETITEMPOSITION, [&] { hungView.readAll(); }},
        {"label", LVM_GETITEMTEXTW, [&] { hungView.label(1); }},
        {"position", LVM_GETITEMPOSITION, [&] { hungView.position(1); }},
        {"setPosition", LVM_SETITEMPOSITION,
         [&] {
             hungView.setPosition(1, {320, 190});
         }},
        {"setPosition beyond 16 bits", LVM_SETITEMPOSITION32,
         [&] {
             hungView.setPosition(1, {40000, 190});
         }},
        {"itemCount", LVM_GETITEMCOUNT, [&] { hungView.itemCount(); }},
        {"arrange", LVM_ARRANGE, [&] { hungView.arrange(5); }},
        {"setStyleWord", WM_STYLECHANGING, [&] { hungView.setStyleWord(style); }},
    };
    int hangs = 0;
    for (const auto& c : calls) {
        SCOPED_TRACE(c.call);
        ASSERT_TRUE(shell.hangAt(c.hungIn));
        long failure = 0;
        try {
            c.run();
        } catch (const RuntimeError& e) {
            failure = e.number();
        }
        EXPECT_EQ(failure, ERROR_TIMEOUT);
        shell.wake();
        const ShellDump d = shell.dump();
        ASSERT_EQ(d.count, 2) << "the shell lives and answers";
        EXPECT_EQ(d.lateAnswers, ++hangs) << "it answered the hung message, into its block";
    }
    EXPECT_EQ(hungView.readAll(), shell.dump().items);
}

TEST_F(DesktopListViewTest, FindsTheListViewBelowAWorkerWWindow) {
    TestShell shell(L"--workerw " + iconSet(folder, {"Eins", "Zwei"}));
    ASSERT_TRUE(shell.ready());
    EXPECT_EQ(FindWindowExW(shell.progman, nullptr, L"SHELLDLL_DefView", nullptr), nullptr) << "Progman holds no view";
    EXPECT_EQ(win32::findDesktopListView(), shell.listView);
    std::vector<IconItem> icons;
    ASSERT_TRUE(readDesktopIcons(view, errors, icons));
    EXPECT_EQ(labels(icons), (std::vector<std::string>{"Eins", "Zwei"}));
}

TEST_F(DesktopListViewTest, WithoutADesktopEverythingReportsAnEmptyDesktop) {
    ASSERT_EQ(win32::findDesktopListView(), nullptr) << "no other program may show a desktop during the tests";
    EXPECT_FALSE(view.available());
    std::vector<IconItem> icons{{"alt", {1, 2}}};
    EXPECT_TRUE(readDesktopIcons(view, errors, icons));
    EXPECT_TRUE(icons.empty());
    DesktopWindow desktop(view);
    EXPECT_EQ(desktop.viewStyle(), 0);
    EXPECT_FALSE(desktop.setViewStyle(1, 3));
    EXPECT_FALSE(desktop.setArrangeStyle(5));
    EXPECT_EQ(measureSnapToGrid(view, errors, icons, true), 0);
    desktop.RefreshDesktop();
    EXPECT_TRUE(errors.reports.empty());
}

}  // namespace
}  // namespace plenvik::test
