// The desktop operations on the simulated desktop: what the desktop shows, reading and moving icons,
// the snap-to-grid test, view style, arranging and refresh, and how failures reach the error handler.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <map>

#include "desktop/DesktopIcons.h"
#include "desktop/DesktopSystemIcons.h"
#include "desktop/DesktopWindow.h"
#include "platform/Registry.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/sim/SimBasics.h"
#include "platform/sim/SimIconView.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;
using sim::SimIconView;

const std::string kUserDesktop = "C:\\Users\\tester\\Desktop";
const std::string kCommonDesktop = "C:\\Users\\Public\\Desktop";
const std::string kRecycleBin = "{645FF040-5081-101B-9F08-00AA002F954E}";
const std::string kMyComputer = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

// HKEY_CURRENT_USER in memory: keys by path, values by name.
class MemoryRegistry : public Registry {
public:
    std::map<std::string, std::map<std::string, RegistryValue>> keys;

    void setText(const std::string& key, const std::string& name, const std::string& text) {
        keys[key][name] = {0, kRegSz, std::vector<std::uint8_t>(text.begin(), text.end())};
    }
    void setDword(const std::string& key, const std::string& name, std::uint32_t v) {
        keys[key][name] = {0, kRegDword, {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)}};
    }
    std::unique_ptr<RegistryKey> openCurrentUser(const std::string& subKey, bool, long* error) override {
        auto it = keys.find(subKey);
        if (it == keys.end()) {
            if (error) *error = 2;
            return nullptr;
        }
        struct Key : RegistryKey {
            std::map<std::string, RegistryValue>& values;
            explicit Key(std::map<std::string, RegistryValue>& v) : values(v) {}
            RegistryValue query(const std::string& name) override {
                auto v = values.find(name);
                return v == values.end() ? RegistryValue{2, 0, {}} : v->second;
            }
            long set(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) override {
                values[name] = {0, type, data};
                return 0;
            }
        };
        return std::make_unique<Key>(it->second);
    }
    std::string errorText(long) override { return {}; }
};

std::string hideKey(const std::string& which) { return std::string(kHideDesktopIconsKey) + "\\" + which; }

class DesktopSimTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("plenvik-desktop-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "C/Users/tester/Desktop");
        fs::create_directories(root / "C/Users/Public/Desktop");
        files = std::make_unique<PosixFileSystem>(root.string());
        // Every system icon hidden except the Recycle Bin, as on a fresh Windows 10.
        for (const auto& icon : kDesktopSystemIcons)
            registry.setDword(hideKey("ClassicStartMenu"), std::string(icon.clsid), std::string(icon.clsid) == kRecycleBin ? 0 : 1);
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path userFile(const std::string& name) { return root / "C/Users/tester/Desktop" / fs::u8path(name); }
    fs::path commonFile(const std::string& name) { return root / "C/Users/Public/Desktop" / fs::u8path(name); }
    static void touch(const fs::path& p) { std::ofstream(p) << "x"; }

    std::unique_ptr<SimIconView> startDesktop(bool snap = false, std::int32_t style = sim::kSimDesktopStyle,
                                              IconRoute route = IconRoute::FolderView) {
        sim::SimDesktopSetup setup;
        setup.folders = {kUserDesktop, kCommonDesktop};
        setup.grid = grid;
        setup.style = style;
        setup.snapToGrid = snap;
        setup.route = route;
        return std::make_unique<SimIconView>(*files, &registry, setup);
    }

    static std::vector<std::string> labels(const std::vector<IconItem>& icons) {
        std::vector<std::string> out;
        for (const auto& i : icons) out.push_back(i.label);
        return out;
    }

    fs::path root;
    std::unique_ptr<PosixFileSystem> files;
    MemoryRegistry registry;
    DesktopGrid grid{20, 10, 100, 90, 4};
    test::ScriptedErrorHandler errors;
};

TEST_F(DesktopSimTest, ShowsVisibleSystemIconsThenBothFoldersInNameOrder) {
    touch(userFile("Übersicht.txt"));
    touch(userFile("Preis 5 €.lnk"));
    touch(commonFile("Nachrichten.url"));
    touch(commonFile("Übersicht.txt"));              // the same name on both desktops: two icons
    fs::create_directories(userFile("Ordner.txt"));  // a folder keeps its whole name
    touch(userFile("Notizen.xyz"));                  // no program for the type: the extension stays
    touch(userFile("desktop.ini"));
    fs::permissions(userFile("desktop.ini"), fs::perms::owner_write, fs::perm_options::remove);  // read-only is shown
    registry.setText(std::string(kSystemIconLabelKey) + "\\" + kRecycleBin, "", "A&B <1>");

    auto desktop = startDesktop();
    std::vector<IconItem> icons;
    ASSERT_TRUE(readDesktopIcons(*desktop, errors, icons));
    EXPECT_EQ(labels(icons), (std::vector<std::string>{"A&B <1>", "desktop", "Nachrichten", "Notizen.xyz", "Ordner.txt", "Preis 5 €",
                                                       "Übersicht", "Übersicht"}));
    // Column by column from the first cell.
    EXPECT_EQ(icons[0].position, grid.position({0, 0}));
    EXPECT_EQ(icons[4].position, grid.position({1, 0}));
    EXPECT_EQ(errors.entered, std::vector<std::string>{"Plenvik.frmMain.fc_DesktopIconsGet"});
    // The folder view names each item by its path.
    EXPECT_EQ(icons[0].parsingName, std::string("::") + kRecycleBin);
    EXPECT_EQ(icons[7].parsingName, std::string(kCommonDesktop) + "\\Übersicht.txt");

    // With HideFileExt = 0 only links and Internet shortcuts lose their ending.
    registry.setDword(std::string(kExplorerKey) + "\\Advanced", "HideFileExt", 0);
    ASSERT_TRUE(readDesktopIcons(*startDesktop(), errors, icons));
    EXPECT_EQ(labels(icons), (std::vector<std::string>{"A&B <1>", "desktop.ini", "Nachrichten", "Notizen.xyz", "Ordner.txt", "Preis 5 €",
                                                       "Übersicht.txt", "Übersicht.txt"}));
}

TEST_F(DesktopSimTest, SystemIconsFollowTheHiddenKeyInForceAndTheUsersLabels) {
    // Without a value an icon is shown; only exactly 1 hides it.
    registry.keys[hideKey("ClassicStartMenu")].clear();
    registry.setDword(hideKey("ClassicStartMenu"), kMyComputer, 2);
    registry.setText(std::string(kSystemIconLabelKey) + "\\" + kMyComputer, "", "Dieser PC");
    auto names = [&] {
        std::vector<std::string> out;
        for (const auto& e : visibleSystemIcons(registry)) out.push_back(e.label);
        return out;
    };
    EXPECT_EQ(names(), (std::vector<std::string>{"Dieser PC", "Netzwerkumgebung", "eigene Dateien", "Internet Explorer", "Papierkorb"}));

    // The shell state's byte 32, bit value 2, puts the new start panel's key in force.
    for (const auto& icon : kDesktopSystemIcons) registry.setDword(hideKey("NewStartPanel"), std::string(icon.clsid), 1);
    registry.setDword(hideKey("NewStartPanel"), kRecycleBin, 0);
    std::vector<std::uint8_t> state(36, 0);
    state[32] = 2;
    registry.keys[std::string(kExplorerKey)]["ShellState"] = {0, kRegBinary, state};
    EXPECT_EQ(names(), std::vector<std::string>{"Papierkorb"});
    state[32] = 0x1D;  // bit value 2 clear
    registry.keys[std::string(kExplorerKey)]["ShellState"] = {0, kRegBinary, state};
    EXPECT_EQ(names().size(), 5u);
}

TEST_F(DesktopSimTest, ReadingFillsTheTableTrimsTrailingBlanksAndCopesWithoutADesktop) {
    registry.setText(std::string(kSystemIconLabelKey) + "\\" + kRecycleBin, "", "Papierkorb  ");
    touch(userFile("Brief.txt"));
    auto desktop = startDesktop();
    EXPECT_EQ(readListViewLabel(*desktop, 0), "Papierkorb  ");  // the view's label as it is
    std::vector<IconItem> icons{{"alt", {1, 1}, ""}, {"alt", {2, 2}, ""}, {"alt", {3, 3}, ""}};
    ASSERT_TRUE(readDesktopIcons(*desktop, errors, icons));
    EXPECT_EQ(labels(icons), (std::vector<std::string>{"Papierkorb", "Brief"}));

    struct Record {
        int PosOrder = 0;
        std::string Name;
        int PosX = 0, PosY = 0;
        std::string FileName = "untouched";
    };
    std::vector<Record> table(5);
    fillIconTable(table, icons);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[1].PosOrder, 2);
    EXPECT_EQ(table[1].Name, "Brief");
    EXPECT_EQ(table[1].PosX, grid.position({0, 1}).x);
    EXPECT_EQ(table[1].PosY, grid.position({0, 1}).y);
    EXPECT_EQ(table[1].FileName, "untouched");

    desktop->setAvailable(false);
    ASSERT_TRUE(readDesktopIcons(*desktop, errors, icons));
    EXPECT_TRUE(icons.empty());
    EXPECT_EQ(readListViewLabel(*desktop, 0), "");
}

TEST_F(DesktopSimTest, MovingAndCheckingOneIcon) {
    touch(userFile("a.txt"));
    auto desktop = startDesktop();
    ASSERT_EQ(desktop->itemCount(), 2);
    EXPECT_TRUE(moveDesktopIcon(*desktop, errors, 1, 333, 444));
    EXPECT_EQ(desktop->position(1), (IconPosition{333, 444}));
    EXPECT_TRUE(moveDesktopIcon(*desktop, errors, 1, -40, 50));
    EXPECT_TRUE(iconIsAt(*desktop, errors, 1, -40, 50));
    EXPECT_FALSE(iconIsAt(*desktop, errors, 1, -40, 51));
    // An item beyond the last reads as (0, 0).
    EXPECT_TRUE(iconIsAt(*desktop, errors, 7, 0, 0));
    EXPECT_FALSE(iconIsAt(*desktop, errors, 7, 20, 10));
    EXPECT_FALSE(moveDesktopIcon(*desktop, errors, 7, 20, 10));

    desktop->model().setSnapToGrid(true);
    EXPECT_FALSE(moveDesktopIcon(*desktop, errors, 1, 333, 444));
    EXPECT_EQ(desktop->position(1), grid.position({3, 3}));
    EXPECT_TRUE(moveDesktopIcon(*desktop, errors, 1, 120, 190));  // on the grid
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(DesktopSimTest, SnapTestReportsFiveWithSnapAndZeroWithoutAndLeavesTheFirstIconInPlace) {
    touch(userFile("a.txt"));
    for (const bool snap : {false, true}) {  // the folder view is asked, nothing moves
        auto desktop = startDesktop(snap);
        desktop->model().place(0, {257, 133});
        std::vector<IconItem> icons;
        EXPECT_EQ(measureSnapToGrid(*desktop, errors, icons, true), snap ? 5 : 0);
        EXPECT_EQ(desktop->position(0), (IconPosition{257, 133}));
    }
    // Only the list view: the first icon is moved to find out.
    {
        auto desktop = startDesktop(false, sim::kSimDesktopStyle, IconRoute::ListView);
        desktop->model().place(0, {257, 133});
        std::vector<IconItem> icons;
        EXPECT_EQ(measureSnapToGrid(*desktop, errors, icons, true), 0);
        EXPECT_EQ(desktop->position(0), (IconPosition{257, 133}));  // where it was
        ASSERT_EQ(icons.size(), 2u);
    }
    {
        auto desktop = startDesktop(true, sim::kSimDesktopStyle, IconRoute::ListView);
        const IconPosition onCell = grid.position({1, 2});
        desktop->model().place(0, onCell);
        std::vector<IconItem> icons;
        EXPECT_EQ(measureSnapToGrid(*desktop, errors, icons, true), 5);
        EXPECT_EQ(desktop->position(0), onCell);  // back on its cell
        EXPECT_EQ(icons[0].position, onCell);

        // Off the grid to begin with: it ends on the cell nearest to one pixel up and left.
        desktop->model().place(0, {171, 56});
        EXPECT_EQ(measureSnapToGrid(*desktop, errors, icons, false), 5);
        EXPECT_EQ(desktop->position(0), grid.position(grid.nearest({170, 55})));
        EXPECT_EQ(icons[0].position, desktop->position(0));
    }
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(DesktopSimTest, SnapTestWorksOnTheIconAsItLiesNotAsAnOldTableSaysAndReportsZeroForAnEmptyDesktop) {
    auto desktop = startDesktop(false, sim::kSimDesktopStyle, IconRoute::ListView);
    std::vector<IconItem> icons;
    ASSERT_TRUE(readDesktopIcons(*desktop, errors, icons));
    desktop->model().place(0, {640, 480});  // the user moved it since the table was read
    EXPECT_EQ(measureSnapToGrid(*desktop, errors, icons, false), 0);
    EXPECT_EQ(desktop->position(0), (IconPosition{640, 480}));

    registry.setDword(hideKey("ClassicStartMenu"), kRecycleBin, 1);
    auto empty = startDesktop(true);
    std::vector<IconItem> none;
    EXPECT_EQ(measureSnapToGrid(*empty, errors, none, false), 0);
    EXPECT_EQ(errors.entered.back(), "Plenvik.frmMain.fc_DesktopIconsGet");
}

TEST_F(DesktopSimTest, ViewStyleArrangeAndRefresh) {
    touch(userFile("a.txt"));
    touch(userFile("b.txt"));
    auto desktop = startDesktop(false, 0x56000A48 | 0x100);
    DesktopWindow d(*desktop);
    EXPECT_EQ(d.viewStyle(), 0x56000B48);
    EXPECT_EQ(DesktopWindow::describeViewStyle(d.viewStyle()), "Symbole (normal), Automatisch anordnen");
    // Details without auto-arrange; every other bit stays.
    ASSERT_TRUE(d.setViewStyle(1, 0x102));
    EXPECT_EQ(d.viewStyle(), 0x56000A49);
    ASSERT_TRUE(d.setViewStyle(0x2, 0x103));
    EXPECT_EQ(DesktopWindow::describeViewStyle(d.viewStyle()), "Symbole klein");
    ASSERT_TRUE(d.setViewStyle(0x103, 0x103));
    EXPECT_EQ(DesktopWindow::describeViewStyle(d.viewStyle()), "Liste, Automatisch anordnen");
    ASSERT_TRUE(d.setViewStyle(0, 0x103));

    // Snap each to its nearest free cell.
    desktop->model().place(1, {219, 12});
    desktop->model().place(2, {231, 40});
    ASSERT_TRUE(d.setArrangeStyle(5));
    EXPECT_EQ(desktop->position(1), grid.position({2, 0}));
    EXPECT_EQ(desktop->position(2), grid.position({2, 1}));

    // F5 takes place between two rounds of events, not inside the call: a new file appears on the next
    // free cell, a removed one vanishes, the others stay.
    fs::remove(userFile("a.txt"));
    touch(commonFile("c.txt"));
    d.RefreshDesktop();
    EXPECT_EQ(desktop->refreshCount(), 1);
    std::vector<IconItem> icons;
    ASSERT_TRUE(readDesktopIcons(*desktop, errors, icons));
    EXPECT_EQ(labels(icons), (std::vector<std::string>{"Papierkorb", "a", "b"}));
    desktop->settle();
    ASSERT_TRUE(readDesktopIcons(*desktop, errors, icons));
    EXPECT_EQ(labels(icons), (std::vector<std::string>{"Papierkorb", "b", "c"}));
    EXPECT_EQ(icons[1].position, grid.position({2, 1}));
    EXPECT_EQ(icons[2].position, grid.position({0, 1}));

    desktop->setAvailable(false);
    EXPECT_FALSE(d.setViewStyle(1, 3));
    EXPECT_FALSE(d.setArrangeStyle(5));
    EXPECT_EQ(d.viewStyle(), 0);
    EXPECT_EQ(DesktopWindow::describeViewStyle(d.viewStyle()), "Symbole (normal)");
}

// A desktop whose reads fail a number of times, as a refused process opening would.
class FailingView : public SimIconView {
public:
    using SimIconView::SimIconView;
    int failures = 0;
    std::vector<IconItem> readAll() override {
        if (failures > 0) {
            --failures;
            throw RuntimeError(5, "Plenvik", "OpenProcess fehlgeschlagen (Fehler 5: Zugriff verweigert)");
        }
        return SimIconView::readAll();
    }
};

TEST_F(DesktopSimTest, FailuresGoToTheErrorHandlerWhichDecidesHowToGoOn) {
    sim::SimDesktopSetup setup{{kUserDesktop, kCommonDesktop}, grid, sim::kSimDesktopStyle, false};
    FailingView desktop(*files, &registry, setup);
    std::vector<IconItem> icons;

    desktop.failures = 1;
    errors.answers = {kActionRetry};
    EXPECT_TRUE(readDesktopIcons(desktop, errors, icons));
    EXPECT_EQ(labels(icons), std::vector<std::string>{"Papierkorb"});
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].procedure, "Plenvik.frmMain.fc_DesktopIconsGet");
    EXPECT_EQ(errors.reports[0].number, 5);

    desktop.failures = 1;
    errors.answers = {kActionLeave};
    EXPECT_FALSE(readDesktopIcons(desktop, errors, icons));
    EXPECT_TRUE(icons.empty());

    desktop.failures = 1;
    errors.answers = {kActionNext};
    EXPECT_TRUE(readDesktopIcons(desktop, errors, icons));
    EXPECT_TRUE(icons.empty());

    // A coordinate without a pixel before it is an overflow; skipping that step still moves the icon.
    errors.reports.clear();
    errors.answers = {kActionNext};
    EXPECT_TRUE(moveDesktopIcon(desktop, errors, 0, INT_MIN, 5));
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].procedure, "Plenvik.frmMain.fc_DesktopIconSet");
    EXPECT_EQ(errors.reports[0].number, 6);
    EXPECT_EQ(desktop.position(0), (IconPosition{INT_MIN, 5}));
}

TEST_F(DesktopSimTest, PlatformTestAsksTheSystemFamily) {
    sim::SimSystemInfo system;
    EXPECT_TRUE(isPlatformNT(system));
    system.version.platformId = 1;
    EXPECT_FALSE(isPlatformNT(system));
}

}  // namespace
}  // namespace plenvik
