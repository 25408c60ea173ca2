// The project list in Plenvik.exe under Wine: the project files beside the program are listed, the
// keys show a project in the lower lists, and Delete removes one after asking.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/win32/MainWindowIds.h"
#include "desktop/DesktopWindow.h"
#include "driver/WineDriver.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace plenvik::test {
namespace {

// A key pressed and released in a window of the other process.
void typeKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

int rowWithText(HWND list, const std::wstring& text) {
    for (int i = 0; i < listViewItemCount(list); ++i)
        if (listViewItemText(list, i, 0) == text) return i;
    return -1;
}

class ProjectListWineTest : public ::testing::Test {
protected:
    const std::wstring golden = buildFolder() + L"\\Golden Test.Plenvk";
    const std::wstring broken = buildFolder() + L"\\Kaputt Test.Plenvk";

    void SetUp() override {
        removeProjectFiles();
        const std::string bytes = readBytes(win32::widen(std::string(PLENVIK_TEST_DATA) + "/project/golden.Plenvk"));
        ASSERT_FALSE(bytes.empty());
        std::ofstream(golden.c_str(), std::ios::binary) << bytes;
        std::ofstream(broken.c_str(), std::ios::binary) << "<DATA><Title>x</Titel></DATA>";
    }
    void TearDown() override { removeProjectFiles(); }
};

TEST_F(ProjectListWineTest, ListsShowsAndDeletesProjects) {
    ChildProcess plenvik(buildFolder() + L"\\Plenvik.exe", L"");
    ASSERT_TRUE(plenvik.started());
    HWND main = nullptr;
    ASSERT_TRUE(pollUntil([&] { return (main = findTopWindow(plenvik.id(), L"PlenvikMain")) != nullptr && IsWindowVisible(main); }));
    ASSERT_TRUE(pollUntil([&] { return GetPropW(main, win32::kCommandDoneProperty) != nullptr; }));
    HWND projects = GetDlgItem(main, win32::kIdLvwProjects);
    HWND data = GetDlgItem(main, win32::kIdLvwProjectData);
    HWND icons = GetDlgItem(main, win32::kIdLvwProjectIcons);

    ASSERT_EQ(listViewItemCount(projects), 3);
    const int current = rowWithText(projects, L"(aktuell)");
    const int project = rowWithText(projects, L"03.01.0001");
    const int damaged = rowWithText(projects, L"(Fehler in XML");
    ASSERT_GE(current, 0);
    ASSERT_GE(project, 0);
    ASSERT_GE(damaged, 0);
    EXPECT_EQ(listViewItemText(projects, project, 1), L"PC01");
    EXPECT_EQ(listViewItemText(projects, project, 12), L"Golden Test.Plenvk");
    EXPECT_EQ(listViewItemText(projects, damaged, 13).rfind(L"Meldung: ", 0), 0u);
    EXPECT_EQ(listViewItemText(projects, current, 16), L"99999999999");

    // Home selects the first row without showing it; Down shows the next one when the key comes up.
    ASSERT_EQ(current, 0) << "the current desktop is listed first";
    SetForegroundWindow(main);
    typeKey(projects, VK_HOME);
    ASSERT_TRUE(pollUntil([&] { return listViewSelectedItem(projects) == 0; }));
    for (int shown = 1; shown <= 2; ++shown) {
        typeKey(projects, VK_DOWN);
        ASSERT_TRUE(pollUntil([&] { return listViewSelectedItem(projects) == shown; }));
        if (shown == project) {
            ASSERT_TRUE(pollUntil([&] { return listViewItemCount(icons) == 5; })) << "the golden project has five icons";
            EXPECT_EQ(win32::narrow(listViewItemText(data, 0, 1)),
                      DesktopWindow::describeViewStyle(1442855500) + " (am Raster ausrichten)");
            const std::wstring jpeg = buildFolder() + L"\\Desktop.jpg";
            EXPECT_NE(GetFileAttributesW(jpeg.c_str()), INVALID_FILE_ATTRIBUTES);
            EXPECT_TRUE(pollUntil([&] { return IsWindowEnabled(GetDlgItem(main, win32::kIdLblCmdDesktopRestore)) != FALSE; }));
        } else {
            ASSERT_TRUE(pollUntil([&] { return listViewItemText(data, 0, 0) == L"Fehler:"; }));
            EXPECT_EQ(listViewItemCount(icons), 0);
        }
    }

    // Delete on the golden project asks, and Yes takes file and row away.
    typeKey(projects, project == 1 ? VK_UP : VK_DOWN);
    ASSERT_TRUE(pollUntil([&] { return listViewSelectedItem(projects) == project; }));
    typeKey(projects, VK_DELETE);
    HWND box = nullptr;
    ASSERT_TRUE(pollUntil([&] {
        box = findTopWindow(plenvik.id(), L"#32770");
        return box && windowText(box) == L"Desktop Projektdatei l\u00F6schen...";
    }));
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(pollUntil([&] { return listViewItemCount(projects) == 2; }));
    EXPECT_EQ(GetFileAttributesW(golden.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(rowWithText(projects, L"03.01.0001"), -1);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(plenvik.waitForExit(10000));
}

}  // namespace
}  // namespace plenvik::test
