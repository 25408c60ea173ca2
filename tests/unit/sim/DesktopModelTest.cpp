// The desktop model: the grid, where new icons go, snapping, arranging and the refresh.
#include <gtest/gtest.h>

#include "platform/sim/DesktopModel.h"

namespace plenvik {
namespace {

// Four cells per column; the first cell at (20, 10), cells 100 wide and 90 high.
const DesktopGrid kGrid{20, 10, 100, 90, 4};

DesktopEntry entry(const std::string& name) { return {"16|" + name, name, kDesktopFolderUser, ""}; }

std::vector<DesktopEntry> entries(std::initializer_list<const char*> names) {
    std::vector<DesktopEntry> list;
    for (const char* n : names) list.push_back(entry(n));
    return list;
}

std::vector<IconPosition> positions(const DesktopModel& m) {
    std::vector<IconPosition> p;
    for (const auto& item : m.items()) p.push_back(item.position);
    return p;
}

IconPosition cell(int column, int row) { return kGrid.position({column, row}); }

TEST(DesktopModelTest, NearestCellRoundsHalvesUpAndStaysOnTheDesktop) {
    const struct {
        IconPosition p;
        GridCell cell;
    } cases[] = {
        {{20, 10}, {0, 0}},    {{69, 54}, {0, 0}},    {{70, 55}, {1, 1}},  {{-500, -500}, {0, 0}},
        {{20, 10000}, {0, 3}}, {{1020, 10}, {10, 0}}, {{119, 99}, {1, 1}}, {{-31, 10}, {0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(kGrid.nearest(c.p), c.cell) << c.p.x << "," << c.p.y;
    EXPECT_TRUE(kGrid.isCellPosition({120, 100}));
    EXPECT_FALSE(kGrid.isCellPosition({119, 100}));
}

TEST(DesktopModelTest, FillsTheGridColumnByColumn) {
    DesktopModel m(kGrid, 0, false);
    const DesktopSync s = m.sync(entries({"a", "b", "c", "d", "e", "f"}));
    EXPECT_EQ(s.appended, 6);
    EXPECT_TRUE(s.removed.empty());
    EXPECT_EQ(positions(m), (std::vector<IconPosition>{cell(0, 0), cell(0, 1), cell(0, 2), cell(0, 3), cell(1, 0), cell(1, 1)}));
}

TEST(DesktopModelTest, RefreshKeepsKnownIconsDropsGoneOnesAndPutsNewOnesOnTheNextFreeCell) {
    DesktopModel m(kGrid, 0, false);
    m.sync(entries({"a", "b", "c"}));
    m.place(0, {700, 300});  // "a" moved away: (0, 0) is free now
    m.place(2, {503, 207});  // "c" off the grid, near cell (5, 2)

    const DesktopSync s = m.sync(entries({"a", "c", "d", "e"}));  // "b" deleted, "d" and "e" new
    EXPECT_EQ(s.removed, std::vector<int>{1});
    EXPECT_EQ(s.appended, 2);
    ASSERT_EQ(m.count(), 4);
    EXPECT_EQ(m.items()[0].entry.label, "a");
    EXPECT_EQ(m.items()[1].entry.label, "c");
    EXPECT_EQ(m.items()[0].position, (IconPosition{700, 300}));
    EXPECT_EQ(m.items()[1].position, (IconPosition{503, 207}));
    EXPECT_EQ(m.items()[2].position, cell(0, 0));  // the cell "a" left
    EXPECT_EQ(m.items()[3].position, cell(0, 1));  // the cell "b" left
    // Nothing changed, nothing to mirror.
    EXPECT_FALSE(m.sync(entries({"a", "c", "d", "e"})).changed());
}

TEST(DesktopModelTest, RefreshTakesANewLabelUnderAKnownKey) {
    DesktopModel m(kGrid, 0, false);
    m.sync({{"{645FF040-5081-101B-9F08-00AA002F954E}", "Papierkorb", 0, ""}});
    m.place(0, {300, 300});
    m.sync({{"{645FF040-5081-101B-9F08-00AA002F954E}", "Mülleimer", 0, ""}});
    ASSERT_EQ(m.count(), 1);
    EXPECT_EQ(m.items()[0].entry.label, "Mülleimer");
    EXPECT_EQ(m.items()[0].position, (IconPosition{300, 300}));
}

TEST(DesktopModelTest, MovesLandExactlyWithoutSnapOnTheNearestCellWithSnapAndNowhereWithAutoArrange) {
    DesktopModel m(kGrid, 0, false);
    m.sync(entries({"a", "b"}));
    EXPECT_TRUE(m.move(1, {333, 444}));
    EXPECT_EQ(m.items()[1].position, (IconPosition{333, 444}));
    EXPECT_TRUE(m.move(1, {-40, 50}));
    EXPECT_EQ(m.items()[1].position, (IconPosition{-40, 50}));

    m.setSnapToGrid(true);
    EXPECT_TRUE(m.move(1, {333, 444}));
    EXPECT_EQ(m.items()[1].position, cell(3, 3));  // 333 -> column 3 (320), 444 -> row 3 clamped (280)
    EXPECT_TRUE(m.move(0, {cell(2, 1).x - 1, cell(2, 1).y - 1}));
    EXPECT_EQ(m.items()[0].position, cell(2, 1));  // one pixel off a cell goes back onto it

    m.setSnapToGrid(false);
    m.setStyle(kStyleAutoArrange);  // arranges at once
    EXPECT_EQ(positions(m), (std::vector<IconPosition>{cell(0, 0), cell(0, 1)}));
    EXPECT_TRUE(m.move(0, {500, 500}));
    EXPECT_EQ(m.items()[0].position, cell(0, 0));

    EXPECT_FALSE(m.move(2, {0, 0}));
    EXPECT_FALSE(m.move(-1, {0, 0}));
}

TEST(DesktopModelTest, SnapArrangeMovesEachIconToItsNearestFreeCell) {
    DesktopModel m(kGrid, 0, false);
    m.sync(entries({"a", "b", "c", "d", "e"}));
    m.place(0, {225, 105});    // near (2, 1)
    m.place(1, {215, 95});     // nearest is (2, 1) too, but "a" comes first in index order
    m.place(2, cell(2, 1));    // exactly on (2, 1): keeps it, ahead of both
    m.place(3, {1250, 12});    // near (12, 0)
    m.place(4, {-300, -300});  // off the desktop: the first cell
    m.arrange(kArrangeSnapToGrid);
    const std::vector<IconPosition> p = positions(m);
    EXPECT_EQ(p[2], cell(2, 1));
    // (225, 105) with (2, 1) taken: (2, 2) lies 5 and 85 pixels away, (2, 0) and (3, 1) 5 and 95.
    EXPECT_EQ(p[0], cell(2, 2));
    // (215, 95) with (2, 1) and (2, 2) taken: (2, 0) lies 5 and 85 pixels away, (1, 1) 95 and 5.
    EXPECT_EQ(p[1], cell(2, 0));
    EXPECT_EQ(p[3], cell(12, 0));
    EXPECT_EQ(p[4], cell(0, 0));
    // Every icon is on a cell of its own.
    for (std::size_t i = 0; i < p.size(); ++i) {
        EXPECT_TRUE(kGrid.isCellPosition(p[i]));
        for (std::size_t j = i + 1; j < p.size(); ++j) EXPECT_NE(p[i], p[j]);
    }
}

TEST(DesktopModelTest, OtherArrangeCodesAndAutoArrangeLineTheIconsUpInIndexOrder) {
    DesktopModel m(kGrid, kStyleAutoArrange, false);
    m.sync(entries({"a", "b", "c", "d", "e"}));
    m.place(0, {900, 900});
    m.arrange(0);
    EXPECT_EQ(positions(m), (std::vector<IconPosition>{cell(0, 0), cell(0, 1), cell(0, 2), cell(0, 3), cell(1, 0)}));
    // With auto-arrange a refresh closes the gap that a deleted icon leaves.
    m.sync(entries({"a", "c", "d", "e", "f"}));
    EXPECT_EQ(positions(m), (std::vector<IconPosition>{cell(0, 0), cell(0, 1), cell(0, 2), cell(0, 3), cell(1, 0)}));
    EXPECT_EQ(m.items()[4].entry.label, "f");
}

TEST(DesktopModelTest, FindsIconsByLabel) {
    DesktopModel m(kGrid, 0, false);
    m.sync(entries({"a", "b"}));
    EXPECT_EQ(m.indexOfLabel("b"), 1);
    EXPECT_EQ(m.indexOfLabel("B"), std::nullopt);
}

}  // namespace
}  // namespace plenvik

namespace plenvik {
namespace {

TEST(DesktopModelStockTest, OnlyMovesThroughTheFolderViewOrTheShellSurviveARefresh) {
    DesktopModel m(kGrid, 0, false);
    m.sync(entries({"a", "b", "c"}));
    ASSERT_TRUE(m.move(0, {520, 10}, MoveOrigin::OtherProcess));
    ASSERT_TRUE(m.move(1, {620, 10}, MoveOrigin::FolderView));
    ASSERT_TRUE(m.move(2, {720, 10}));
    EXPECT_EQ(positions(m), (std::vector<IconPosition>{{520, 10}, {620, 10}, {720, 10}})) << "all are shown at once";
    m.sync(entries({"a", "b", "c"}));
    EXPECT_EQ(positions(m), (std::vector<IconPosition>{cell(0, 0), {620, 10}, {720, 10}}));

    DesktopModel kind(kGrid, 0, false, StockBehaviour{false, true, true});
    kind.sync(entries({"a"}));
    kind.move(0, {520, 10}, MoveOrigin::OtherProcess);
    kind.sync(entries({"a"}));
    EXPECT_EQ(positions(kind), (std::vector<IconPosition>{{520, 10}}));
}

TEST(DesktopModelStockTest, ARefreshRenumbersInEntryOrderAndPutsTheFolderViewsStyleBack) {
    DesktopModel m(kGrid, kStyleAutoArrange, false);
    m.sync(entries({"b", "c"}));
    m.setStyle(0x56000000 | 0x2);  // written into the window from outside: every bit kept, for now
    EXPECT_EQ(m.style(), 0x56000002);
    const DesktopSync s = m.sync(entries({"a", "b", "c"}));
    EXPECT_TRUE(s.reordered);
    EXPECT_EQ(m.items()[0].entry.label, "a");
    EXPECT_EQ(m.items()[2].position, m.items()[2].kept);
    EXPECT_EQ(m.style(), 0x56000000 | kStyleAutoArrange) << "view type and auto-arrange as the folder view keeps them";
    m.setFolderStyle(0x56000003);
    EXPECT_EQ(m.folderStyle(), 0x3);
    m.sync(entries({"a", "b", "c"}));
    EXPECT_EQ(m.style(), 0x56000003);

    DesktopModel inOrder(kGrid, 0, false, StockBehaviour{true, false, true});
    inOrder.sync(entries({"b", "c"}));
    EXPECT_FALSE(inOrder.sync(entries({"a", "b", "c"})).reordered);
    EXPECT_EQ(inOrder.items()[2].entry.label, "a") << "new ones come last";
}

}  // namespace
}  // namespace plenvik
