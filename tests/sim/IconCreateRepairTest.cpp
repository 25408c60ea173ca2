// Checking and correcting single icons from the project icon list, its row handlers, and the wait for
// the desktop on the simulated clock.
#include <gtest/gtest.h>

#include "restore/IconCreate.h"
#include "restore/IconListHandlers.h"
#include "restore/IconRepair.h"
#include "restore/Wait.h"
#include "support/IconRestoreFixture.h"

namespace plenvik {
namespace {

class IconCreateRepairTest : public test::IconRestoreFixture {
protected:
    void SetUp() override {
        IconRestoreFixture::SetUp();
        for (const char* name : {"A.txt", "B.txt", "C.txt"}) write(at(kUser, name), name);
        desktop.refresh();
    }
    // The icon's number on the desktop, from 1.
    int number(const std::string& label) { return *desktop.model().indexOfLabel(label) + 1; }
    int row(const std::string& key, const std::string& label, IconPosition wanted, bool checked = true) {
        ListModel& list = form.lvwProjectIcons;
        const int r = list.add(key, label);
        list.setSubItem(r, 2, std::to_string(wanted.x));
        list.setSubItem(r, 3, std::to_string(wanted.y));
        list.setChecked(r, checked);
        return r;
    }
    const ListRow& rowOf(int r) { return form.lvwProjectIcons.row(r); }
    void repairRow(int r) {
        form.lvwProjectIcons.select(r);
        mnuIconWork_Click(form, kIconMenuRepairSelected);
    }
};

TEST_F(IconCreateRepairTest, CheckedRowsAreFoundCorrectMovedOrReportedWithBothPositions) {
    desktop.model().setSnapToGrid(true);
    desktop.model().place(number("C.txt") - 1, {96, 192});
    const IconPosition a = shownAt("A.txt");
    const int correct = row("ICON" + std::to_string(number("A.txt")), "A.txt", a);
    const int skipped = row("ICON1", "A.txt (nicht markiert)", {1, 1}, false);
    const int moved = row("ICON" + std::to_string(number("B.txt")) + "NEW", "B.txt", {416, 372});
    const int stuck = row("ICON" + std::to_string(number("C.txt")), "C.txt", {100, 200});
    mnuIconWork_Click(form, kIconMenuRepairChecked);

    EXPECT_EQ(rowOf(correct).sub(5), "Koordinaten sind korrekt!");
    EXPECT_EQ(rowOf(correct).foreColor, kColorWindowText);
    EXPECT_EQ(rowOf(skipped).sub(5), "");
    EXPECT_EQ(rowOf(moved).sub(5), "Koordinaten erfolgreich gesetzt!");
    EXPECT_EQ(rowOf(moved).foreColor, kColorWindowText);
    EXPECT_EQ(shownAt("B.txt"), (IconPosition{416, 372}));
    EXPECT_EQ(rowOf(stuck).sub(5), "Koordinaten konnte nicht gesetzt werden! (Soll (x/y): 100/200 -> Ist: 96/192)");
    EXPECT_EQ(rowOf(stuck).foreColor, kColorRed);
    EXPECT_EQ(form.lblInfo().text, "Symbol 'C.txt' Koordinaten konnte nicht gesetzt werden! (Soll (x/y): 100/200 -> Ist: 96/192)");
    EXPECT_EQ(form.lblInfo().foreColor, kColorRed);
}

TEST_F(IconCreateRepairTest, ARowWhoseNumberNoLongerLeadsToItsIconIsFoundByLabel) {
    for (const std::string& key : {std::string("ICON1"), std::string("ICON99"), std::string("ICON")}) {
        const IconPosition wanted{176 + 80 * static_cast<int>(key.size() % 3), 282};
        const int r = row(key + "X", "B.txt", wanted);
        repairRow(r);
        EXPECT_EQ(rowOf(r).sub(5), "Koordinaten erfolgreich gesetzt!") << key;
        EXPECT_EQ(shownAt("B.txt"), wanted) << key;
        form.lvwProjectIcons.remove(r);
    }
    const int unmovable = row("ICON1", "A.txt", {-5, -5});
    desktop.model().setSnapToGrid(true);
    repairRow(unmovable);
    EXPECT_EQ(rowOf(unmovable).sub(5), "Koordinaten konnte nicht gesetzt werden!");
    EXPECT_EQ(rowOf(unmovable).foreColor, kColorRed);
}

TEST_F(IconCreateRepairTest, AMissingIconIsCreatedFromTheProject) {
    const std::int16_t index = saved(file("Neu.txt", "Neu.txt", kFolderUserDesktop, "neu", {496, 282}));
    const int r = form.lvwProjectIcons.find(form.projectIcons[index].ListKey);
    repairRow(r);
    EXPECT_EQ(read(at(kUser, "Neu.txt")), "neu");
    EXPECT_EQ(shownAt("Neu.txt"), (IconPosition{496, 282}));
    EXPECT_EQ(rowOf(r).sub(5), "erstellt und Koordinaten erfolgreich gesetzt!");
    EXPECT_EQ(rowOf(r).foreColor, kColorWindowText);
    EXPECT_EQ(form.lblInfo().foreColor, kColorBlue);

    const int stranger = row("ICON50", "Fremd.txt", {16, 12});
    repairRow(stranger);
    EXPECT_EQ(rowOf(stranger).sub(5), "Symbol muß erstellt werden...");
    EXPECT_EQ(form.lblInfo().text, "Symbol 'Fremd.txt' nicht gefunden => erstellen...");
    EXPECT_EQ(rowOf(stranger).foreColor, kColorRed);
}

TEST_F(IconCreateRepairTest, CancellingTheAllUsersQuestionEndsTheRowsRepair) {
    files.readOnlyFolder = kCommon;
    const std::int16_t index = saved(file("Alle.txt", "Alle.txt", kFolderCommonDesktop, "a"));
    sim.dialogs.answerMessage(MsgAnswer::Cancel);
    const int r = form.lvwProjectIcons.find(form.projectIcons[index].ListKey);
    repairRow(r);
    EXPECT_EQ(form.lblInfo().text, "Abbruch, Symbol 'Alle.txt' konnten icht erstellt werden!");
    EXPECT_EQ(form.lblInfo().foreColor, kColorRed);
    EXPECT_EQ(rowOf(r).foreColor, kColorRed);
    EXPECT_EQ(sim.dialogs.asked.size(), 1u);
}

TEST_F(IconCreateRepairTest, AllRowsAreCheckedAndUnchecked) {
    for (int i = 0; i < 3; ++i) row("ICON" + std::to_string(i + 1), "x", {0, 0}, i == 1);
    mnuIconWork_Click(form, kIconMenuCheckAll);
    for (const ListRow& r : form.lvwProjectIcons.rows()) EXPECT_TRUE(r.checked);
    mnuIconWork_Click(form, kIconMenuUncheckAll);
    for (const ListRow& r : form.lvwProjectIcons.rows()) EXPECT_FALSE(r.checked);
}

TEST_F(IconCreateRepairTest, TheRightButtonOpensTheMenuOnlyOverAnIconsRow) {
    const struct {
        const char* key;
        bool select;
        MouseButton button;
        bool menu;
    } cases[] = {{"ICON3", true, MouseButton::Right, true},   {"ICON3NEW", true, MouseButton::Right, true},
                 {"ICON3", false, MouseButton::Right, false}, {"ICON3", true, MouseButton::Left, false},
                 {"ICON", true, MouseButton::Right, false},   {"3ICON3", true, MouseButton::Right, false}};
    for (const auto& c : cases) {
        form.lvwProjectIcons.clear();
        const int r = row(c.key, "x", {0, 0});
        if (c.select) form.lvwProjectIcons.select(r);
        EXPECT_EQ(lvwProjectIcons_MouseUp(form, c.button), c.menu) << c.key;
    }
}

TEST_F(IconCreateRepairTest, ADoubleClickShowsTheRowsMessage) {
    const int quiet = row("ICON1", "a", {0, 0});
    form.lvwProjectIcons.select(quiet);
    lvwProjectIcons_DblClick(form);
    EXPECT_TRUE(sim.dialogs.asked.empty());

    const int loud = row("ICON2", "b", {0, 0});
    form.lvwProjectIcons.setSubItem(loud, 7, "Symbol, Datei nicht geladen, da zu groß!");
    form.lvwProjectIcons.select(loud);
    sim.dialogs.answerMessage(MsgAnswer::Ok);
    lvwProjectIcons_DblClick(form);
    ASSERT_EQ(sim.dialogs.asked.size(), 1u);
    EXPECT_EQ(sim.dialogs.asked[0].title, "Meldung...");
    EXPECT_EQ(sim.dialogs.asked[0].text, "Meldung: \r\n\r\nSymbol, Datei nicht geladen, da zu groß!");
    EXPECT_EQ(sim.dialogs.asked[0].icon, MsgIcon::Exclamation);
}

TEST_F(IconCreateRepairTest, TheWaitLetsEventsRunUntilTheClockHasMovedOn) {
    sim.clock.tickPerReading = false;
    for (int n = 1; n <= 40; ++n) sim.events.at(sim.events.pumps + n, [this] { sim.clock.advanceSeconds(1); });
    const int before = sim.events.pumps;
    sb_Wait(form, 3);
    EXPECT_EQ(sim.events.pumps - before, 3) << "at the start, and then until three seconds have passed";

    // Late in the day the wait ends at 23:59:56, even though ten seconds were asked for.
    sim.clock.time = {2026, 12, 6, 23, 59, 50};
    const int late = sim.events.pumps;
    sb_Wait(form, 10);
    EXPECT_EQ(sim.events.pumps - late, 6);
    EXPECT_EQ(sim.clock.time.second, 56);
}

}  // namespace
}  // namespace plenvik
