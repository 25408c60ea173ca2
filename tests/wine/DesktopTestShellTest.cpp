// The test shell itself: how it starts from its options, and that it refuses what it does not know.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "driver/TestShell.h"

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

TEST(DesktopTestShellTest, RefusesAnUnknownOption) {
    ChildProcess shell(buildFolder() + L"\\testshell.exe", L"--colour blue");
    ASSERT_TRUE(shell.started());
    DWORD code = 0;
    ASSERT_TRUE(shell.waitForExit(10000, &code));
    EXPECT_EQ(code, 2u);
}

}  // namespace
}  // namespace plenvik::test
