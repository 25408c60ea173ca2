// Checking and correcting single icons from the project icon list, its row handlers, and the wait for
// the desktop on the simulated clock.
#include <gtest/gtest.h>

#include "restore/IconCreate.h"
#include "app/IconListHandlers.h"
#include "restore/IconRepair.h"
#include "restore/Wait.h"
#include "support/IconRestoreFixture.h"

namespace plenvik {
namespace {

class IconCreateRepairTest : public test::IconRestoreFixture {
protected:
    void SetUp() override {
        IconRestoreFixture::SetUp();
        for (const char* name : {"A.txt", "B.txt", "C.txt"}) write(at(kUser, name), name);  // shown as "A", "B", "C"
        desktop.refresh();
        desktop.settle();
    }
    // The key of a saved icon's row: "ICON" + its number on the desktop (from 1).
    std::string key(const std::string& label) { return "ICON" + std::to_string(*desktop.model().indexOfLabel(label) + 1); }
    // A saved icon of the project shown and its row; key: "ICON" + its number on the saved desktop.
    int row(const std::string& key, const std::string& label, IconPosition wanted, bool checked = true) {
        DesktopIcon icon;
        icon.Name = label;
        icon.PosOrder = std::atoi(key.c_str() + std::min<std::size_t>(4, key.size()));
        icon.PosX = wanted.x;
        icon.PosY = wanted.y;
        icon.ListKey = key;
        project.icons.push_back(icon);
        showProject();
        const int r = form.lists.projectIcons.add(key, label);
        form.lists.projectIcons.setSubItem(r, IconColumn::X, std::to_string(wanted.x));
        form.lists.projectIcons.setSubItem(r, IconColumn::Y, std::to_string(wanted.y));
        form.lists.projectIcons.setChecked(r, checked);
        return r;
    }
    const ListRow& rowOf(int r) { return form.lists.projectIcons.row(r); }
    void repairRow(int r) {
        form.lists.projectIcons.select(r);
        form.runIconMenu(kIconMenuRepairSelected);
    }
};

TEST_F(IconCreateRepairTest, CheckedRowsAreFoundCorrectMovedOrReportedWithBothPositions) {
    desktop.model().setSnapToGrid(true);
    desktop.model().place(*desktop.model().indexOfLabel("C"), {96, 192});
    const int correct = row(key("A"), "A", shownAt("A"));
    const int skipped = row("ICON1", "A", {1, 1}, false);
    const int moved = row(key("B") + "#4", "B", {416, 372});
    const int stuck = row(key("C"), "C", {100, 200});
    form.runIconMenu(kIconMenuRepairChecked);

    EXPECT_EQ(rowOf(correct).sub(5), "Koordinaten sind korrekt!");
    EXPECT_EQ(rowOf(skipped).sub(5), "");
    EXPECT_EQ(rowOf(moved).sub(5), "Koordinaten erfolgreich gesetzt!");
    EXPECT_EQ(shownAt("B"), (IconPosition{416, 372}));
    EXPECT_EQ(rowOf(moved).foreColor, kColorWindowText);
    EXPECT_EQ(rowOf(stuck).sub(5), "Koordinaten konnte nicht gesetzt werden! (Soll (x/y): 100/200 -> Ist: 96/192)");
    EXPECT_EQ(rowOf(stuck).foreColor, kColorRed);
    EXPECT_EQ(form.lblInfo().text, "Symbol 'C' Koordinaten konnte nicht gesetzt werden! (Soll (x/y): 100/200 -> Ist: 96/192)");
    EXPECT_EQ(form.lblInfo().foreColor, kColorRed);
}

TEST_F(IconCreateRepairTest, ARowWhoseNumberNoLongerLeadsToItsIconIsFoundByLabel) {
    // ICON1 is another icon now; ICON99 lies beyond the desktop's icons.
    for (const char* stale : {"ICON1", "ICON99"}) {
        const int r = row(stale, "B", {176, stale[4] == '1' ? 282 : 372});
        repairRow(r);
        EXPECT_EQ(rowOf(r).sub(5), "Koordinaten erfolgreich gesetzt!") << stale;
        EXPECT_EQ(shownAt("B"), (IconPosition{176, stale[4] == '1' ? 282 : 372})) << stale;
    }
}

TEST_F(IconCreateRepairTest, AMissingIconIsCreatedFromTheProject) {
    const std::size_t index = saved(file("Neu.txt", "Neu.txt", kFolderUserDesktop, "neu", {496, 282}));
    const int r = form.lists.projectIcons.find(project.icons[index].ListKey);
    repairRow(r);
    EXPECT_EQ(read(at(kUser, "Neu.txt")), "neu");
    EXPECT_EQ(shownAt("Neu"), (IconPosition{496, 282})) << "found by its file, though the desktop hides the extension";
    EXPECT_EQ(rowOf(r).sub(5), "erstellt und Koordinaten erfolgreich gesetzt!");
    EXPECT_EQ(rowOf(r).foreColor, kColorWindowText);

    const int stranger = row("ICON50", "Fremd.txt", {16, 12});
    repairRow(stranger);
    EXPECT_EQ(rowOf(stranger).sub(5), "Symbol muß erstellt werden...");
    EXPECT_EQ(form.lblInfo().text, "Symbol 'Fremd.txt' nicht gefunden => erstellen...");
    EXPECT_EQ(rowOf(stranger).foreColor, kColorRed);
}

TEST_F(IconCreateRepairTest, CancellingTheAllUsersQuestionEndsTheRowsRepair) {
    files.readOnlyFolder = kCommon;
    const std::size_t index = saved(file("Alle.txt", "Alle.txt", kFolderCommonDesktop, "a"));
    sim.dialogs.answerMessage(MsgAnswer::Cancel);
    repairRow(form.lists.projectIcons.find(project.icons[index].ListKey));
    EXPECT_EQ(form.lblInfo().text, "Abbruch, Symbol 'Alle.txt' konnten icht erstellt werden!");
    EXPECT_EQ(form.lblInfo().foreColor, kColorRed);
}

TEST_F(IconCreateRepairTest, AllRowsAreCheckedAndUnchecked) {
    for (int i = 1; i <= 3; ++i) row("ICON" + std::to_string(i), "x", {0, 0}, i == 2);
    form.runIconMenu(kIconMenuCheckAll);
    for (const ListRow& r : form.lists.projectIcons.rows()) EXPECT_TRUE(r.checked);
    form.runIconMenu(kIconMenuUncheckAll);
    for (const ListRow& r : form.lists.projectIcons.rows()) EXPECT_FALSE(r.checked);
}

TEST_F(IconCreateRepairTest, TheRightButtonOpensTheMenuOnlyOverAnIconsRowAndADoubleClickShowsItsMessage) {
    const struct {
        const char* key;
        bool select;
        MouseButton button;
        bool menu;
    } cases[] = {{"ICON3", true, MouseButton::Right, true},   {"ICON3NEW", true, MouseButton::Right, true},
                 {"ICON3", false, MouseButton::Right, false}, {"ICON3", true, MouseButton::Left, false},
                 {"ICON", true, MouseButton::Right, false},   {"3ICON3", true, MouseButton::Right, false}};
    for (const auto& c : cases) {
        form.lists.projectIcons.clear();
        const int r = row(c.key, "x", {0, 0});
        if (c.select) form.lists.projectIcons.select(r);
        EXPECT_EQ(iconListOpensMenu(form, c.button), c.menu) << c.key;
    }

    showIconRowMessage(form);
    EXPECT_TRUE(sim.dialogs.asked.empty()) << "a row without a message shows nothing";
    form.lists.projectIcons.setSubItem(0, 7, "Symbol, Datei nicht geladen, da zu groß!");
    sim.dialogs.answerMessage(MsgAnswer::Ok);
    showIconRowMessage(form);
    ASSERT_EQ(sim.dialogs.asked.size(), 1u);
    EXPECT_EQ(sim.dialogs.asked[0].title, "Meldung...");
    EXPECT_EQ(sim.dialogs.asked[0].text, "Meldung: \r\n\r\nSymbol, Datei nicht geladen, da zu groß!");
    EXPECT_EQ(sim.dialogs.asked[0].icon, MsgIcon::Exclamation);
}

TEST_F(IconCreateRepairTest, TheWaitLetsEventsRunUntilTheClockHasMovedOnOrMidnightIsNear) {
    sim.clock.tickPerReading = false;
    for (int n = 1; n <= 40; ++n) sim.events.at(sim.events.pumps + n, [this] { sim.clock.advanceSeconds(1); });
    const int before = sim.events.pumps;
    waitSeconds(form.platform(), 3);
    EXPECT_EQ(sim.events.pumps - before, 3) << "at the start, and then until three seconds have passed";

    sim.clock.time = {2026, 12, 6, 23, 59, 50};
    waitSeconds(form.platform(), 10);
    EXPECT_EQ(sim.clock.time.second, 56) << "the wait ends once the time of day passes 86395 seconds";
}

}  // namespace
}  // namespace plenvik
