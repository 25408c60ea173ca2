// The test shell itself: how it starts from its options, the stock desktop it is by default, and that
// it refuses what it does not know.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "driver/TestShell.h"
#include "platform/win32/Wide.h"

namespace plenvik::test {
namespace {

TEST(DesktopTestShellTest, StartsWithTheGivenGridStyleAndOptions) {
    TempFolder folder;
    ASSERT_TRUE(writeUtf8File(folder.file(L"icons.txt"), "a\nb\nc\nd\ne\nf\ng\nh\ni\n"));
    TestShell shell(L"--grid 30,40,80,70 --style 102 --snap --size 800x600 --icons \"" + folder.file(L"icons.txt") + L"\"");
    ASSERT_TRUE(shell.ready());
    const ShellDump d = shell.dump();
    EXPECT_EQ(d.count, 9);
    EXPECT_EQ(d.gridLeft, 30);
    EXPECT_EQ(d.gridTop, 40);
    EXPECT_EQ(d.cellWidth, 80);
    EXPECT_EQ(d.cellHeight, 70);
    EXPECT_EQ(d.rows, 8);  // (600 - 40) / 70
    EXPECT_EQ(d.style & 0x103u, 0x102u);
    EXPECT_EQ(d.view, LV_VIEW_SMALLICON);
    EXPECT_TRUE(d.snap);
    EXPECT_TRUE(d.exstyle & LVS_EX_SNAPTOGRID);
    // Auto-arranged column by column: the ninth icon starts the second column.
    ASSERT_EQ(d.items.size(), 9u);
    EXPECT_EQ(d.items[0].position, (IconPosition{30, 40}));
    EXPECT_EQ(d.items[7].position, (IconPosition{30, 40 + 7 * 70}));
    EXPECT_EQ(d.items[8].position, (IconPosition{110, 40}));
    RECT client{};
    GetClientRect(shell.progman, &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
}

// Without options the shell is a stock desktop: snap on, Explorer's grid from the system metrics.
TEST(DesktopTestShellTest, StartsAsAStockDesktop) {
    TempFolder folder;
    ASSERT_TRUE(writeUtf8File(folder.file(L"icons.txt"), "a\nb\n"));
    TestShell shell(L"--icons \"" + folder.file(L"icons.txt") + L"\"");
    ASSERT_TRUE(shell.ready());
    const ShellDump d = shell.dump();
    EXPECT_TRUE(d.snap);
    EXPECT_TRUE(d.folderSnap);
    EXPECT_TRUE(d.exstyle & LVS_EX_SNAPTOGRID);
    const DWORD spacing = static_cast<DWORD>(SendMessageW(shell.listView, LVM_GETITEMSPACING, FALSE, 0));
    EXPECT_EQ(d.cellWidth, static_cast<int>(LOWORD(spacing)));
    EXPECT_EQ(d.cellHeight, static_cast<int>(HIWORD(spacing)));
    EXPECT_GT(d.cellWidth, 0);
    ASSERT_EQ(d.items.size(), 2u);
    EXPECT_EQ(d.items[1].position, d.cell(0, 1));
    EXPECT_EQ(d.kept, (std::vector<IconPosition>{d.cell(0, 0), d.cell(0, 1)}));
}

// Explorer hides the extension of a type with a registered program (here .docx, registered for the
// test, and .pdf, which the prefix registers), never that of an unknown type; .lnk and .url always.
// Wine's HKEY_CLASSES_ROOT does not show HKCU\Software\Classes, so the test registers .docx there.
TEST(DesktopTestShellTest, LabelsHideTheExtensionsOfKnownTypes) {
    RegistryValueFixture docx(L".docx", L"", REG_SZ, RegistryValueFixture::text(L"Plenvik.Testdokument"), HKEY_CLASSES_ROOT);
    RegistryValueFixture program(L"Plenvik.Testdokument", L"", REG_SZ, RegistryValueFixture::text(L"Testdokument"), HKEY_CLASSES_ROOT);
    ASSERT_TRUE(docx.set() && program.set());
    DesktopFile word(CSIDL_DESKTOPDIRECTORY, L"Bericht.docx");
    DesktopFile pdf(CSIDL_COMMON_DESKTOPDIRECTORY, L"Bericht.pdf");
    DesktopFile unknown(CSIDL_DESKTOPDIRECTORY, L"Liste.unbekannt7");
    DesktopFile url(CSIDL_DESKTOPDIRECTORY, L"Nachrichten.url");
    for (const DesktopFile* f : {&word, &pdf, &unknown, &url}) ASSERT_TRUE(f->created());
    const auto labelsOf = [](const ShellDump& d) {
        std::vector<std::string> out;
        for (const IconItem& i : d.items) out.push_back(i.label);
        return out;
    };
    {
        TestShell shell(L"--no-system-icons");
        ASSERT_TRUE(shell.ready());
        const ShellDump d = shell.dump();
        EXPECT_EQ(labelsOf(d), (std::vector<std::string>{"Bericht", "Bericht", "Liste.unbekannt7", "Nachrichten"}));
        // Which is which, the shell's folder tells: the user's file first.
        ASSERT_EQ(d.parsingNames.size(), 4u);
        EXPECT_EQ(d.parsingNames[0], win32::narrow(word.path()));
        EXPECT_EQ(d.parsingNames[1], win32::narrow(pdf.path()));
    }
    TestShell shown(L"--no-system-icons --show-extensions");
    ASSERT_TRUE(shown.ready());
    EXPECT_EQ(labelsOf(shown.dump()), (std::vector<std::string>{"Bericht.docx", "Bericht.pdf", "Liste.unbekannt7", "Nachrichten"}));
}

TEST(DesktopTestShellTest, RefusesAnUnknownOption) {
    ChildProcess shell(testShellPath(), L"--colour blue");
    ASSERT_TRUE(shell.started());
    DWORD code = 0;
    ASSERT_TRUE(shell.waitForExit(10000, &code));
    EXPECT_EQ(code, 2u);
    ChildProcess badClass(testShellPath(), L"--class keine-klasse");
    ASSERT_TRUE(badClass.started());
    ASSERT_TRUE(badClass.waitForExit(10000, &code));
    EXPECT_EQ(code, 2u);
}

}  // namespace
}  // namespace plenvik::test
