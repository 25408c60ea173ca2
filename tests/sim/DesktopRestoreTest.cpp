// Comparing and restoring on the simulated platform, end to end: a desktop is saved, changed, and
// the project list's restore compares it (changing nothing) or puts it back (moving, re-creating,
// and removing new icons into the recycle bin after asking).
#include "restore/DesktopRestore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/MainController.h"
#include "platform/sim/SimPlatform.h"
#include "project/DesktopSave.h"
#include "app/ProjectListController.h"
#include "support/ProgramFixture.h"
#include "ui/Protocol.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

class DesktopRestoreTest : public test::ProgramFixture {
protected:
    std::string project;
    int redMarks = 0, plainMarks = 0;

    void SetUp() override {
        ProgramFixture::SetUp();
        sim.clock.tickPerReading = true;
        form.pictureView().setPaintObserver([this](const PaintCall& call) {
            if (call.kind != PaintCall::Kind::Rectangle) return;
            if (call.penColor == 255 && call.brushColor == 255)
                ++redMarks;
            else if (call.penColor == 0 && call.brushColor == 0 && call.right - call.left == 2)
                ++plainMarks;
        });
        file(user("Brief.txt"), "Liebe Grüße");
        file(user("Liste.csv"), "a;b");
        file(user("Notiz.txt"), "merken");
        sim.desktop.refresh();
        std::string directory;
        ASSERT_TRUE(form.saveDesktop(directory, "", false));
        for (const auto& e : fs::directory_iterator(native("C:\\Projekte"))) project = e.path().filename().string();
        search();
        redMarks = plainMarks = 0;
    }

    void search() {
        std::string directory = "C:\\Projekte";
        searchProjectFiles(form, directory, "");
        form.lists.projects.select(form.lists.projects.find(project));
    }
    int iconIndex(const std::string& label) {
        const auto items = sim.desktop.readAll();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].label == label) return static_cast<int>(i);
        return -1;
    }
    IconPosition at(const std::string& label) { return sim.desktop.position(iconIndex(label)); }
    const ListRow& iconRow(const std::string& label) {
        const ListModel& list = form.lists.projectIcons;
        for (int r = 0; r < list.size(); ++r)
            if (list.row(r).text == label) return list.row(r);
        throw std::runtime_error("no row for " + label);
    }
    std::vector<std::string> protocolTexts() {
        std::vector<std::string> texts;
        const ListModel& list = form.protocol()->list();
        for (int r = list.size() - 1; r >= 0; --r) texts.push_back(list.row(r).sub(2));
        return texts;
    }
    bool logged(const std::string& text) {
        const auto texts = protocolTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    int savedIconCount() { return form.shownProject() ? static_cast<int>(form.shownProject()->iconCount()) : 0; }
    // Moves, deletes and adds one icon each.
    void changeDesktop() {
        ASSERT_TRUE(sim.desktop.setPosition(iconIndex("Liste.csv"), {600, 500}));
        fs::remove(native(user("Notiz.txt")));
        file(user("Neu.txt"), "neu");
        sim.desktop.refresh();
    }
};

TEST_F(DesktopRestoreTest, AnalysisOfTheUnchangedDesktopFindsEverythingCorrect) {
    form.menuClick(MenuId::Project, 1);
    ASSERT_GT(savedIconCount(), 3);
    for (int r = 0; r < form.lists.projectIcons.size(); ++r) {
        EXPECT_EQ(form.lists.projectIcons.row(r).sub(5), "Koordinaten sind korrekt!") << form.lists.projectIcons.row(r).text;
        EXPECT_EQ(form.lists.projectIcons.row(r).foreColor, kColorWindowText);
    }
    const std::string count = (savedIconCount() < 10 ? "000" : "00") + std::to_string(savedIconCount());
    EXPECT_EQ(form.lblInfo().text, "(" + count + ") korrekt - (0000) zu setzen - (0000) zu erstellen - (0000) neu auf Desktop");
    EXPECT_EQ(form.lblInfo().foreColor, kColorBlue);
    EXPECT_EQ(form.lblInfoMonitore().text, "(0001) korrekt - (0000) zu setzen");
    EXPECT_EQ(redMarks, 0);
    EXPECT_TRUE(logged("Desktop Symbole Vergleich durchgeführt!"));
    // No question: the analysis asks nothing.
    EXPECT_TRUE(sim.dialogs.asked.empty());
}

TEST_F(DesktopRestoreTest, AnalysisReportsAMovedADeletedAndANewIconAndChangesNothing) {
    changeDesktop();
    const IconPosition moved = at("Liste.csv");  // the cell nearest to (600, 500)
    form.menuClick(MenuId::Project, 1);
    EXPECT_EQ(iconRow("Liste.csv").sub(5), "Koordinaten müssen gesetzt werden!");
    EXPECT_EQ(iconRow("Liste.csv").foreColor, kColorRed);
    EXPECT_EQ(iconRow("Notiz").sub(5), "Symbol muß erstellt werden!");
    const ListRow& fresh = iconRow("Neu");
    EXPECT_EQ(fresh.key, "ICON" + std::to_string(iconIndex("Neu") + 1) + "NEW");
    EXPECT_EQ(fresh.sub(5), "(neues Desktop Symbol!!!)");
    EXPECT_EQ(fresh.smallIcon, "FILE");
    EXPECT_EQ(fresh.foreColor, kColorBlue);
    EXPECT_NE(form.lblInfo().text.find(") zu setzen - (0001) zu erstellen - (0001) neu auf Desktop"), std::string::npos)
        << form.lblInfo().text;
    EXPECT_NE(form.lblInfo().text.find("- (0001) zu setzen"), std::string::npos);
    EXPECT_EQ(form.lblInfo().foreColor, kColorRed);
    EXPECT_EQ(redMarks, 3);
    // Nothing was put back.
    EXPECT_EQ(at("Liste.csv"), moved);
    EXPECT_FALSE(fs::exists(native(user("Notiz.txt"))));
    EXPECT_TRUE(fs::exists(native(user("Neu.txt"))));

    // The same project again: the earlier "NEW" rows go before the run, and come back once.
    form.menuClick(MenuId::Project, 1);
    int newRows = 0;
    for (const auto& row : form.lists.projectIcons.rows()) newRows += row.key.ends_with("NEW") ? 1 : 0;
    EXPECT_EQ(newRows, 1);
}

TEST_F(DesktopRestoreTest, RestorePutsTheDesktopBackAndRecyclesNewIconsWhenAllowed) {
    const IconPosition saved = at("Liste.csv");
    changeDesktop();
    sim.dialogs.answerMessage(MsgAnswer::Yes);  // restore?
    sim.dialogs.answerMessage(MsgAnswer::Yes);  // remove the new icon?
    form.menuClick(MenuId::Project, 2);

    EXPECT_EQ(sim.dialogs.asked[0].title, "Desktop wieder herstellen...");
    EXPECT_EQ(
        sim.dialogs.asked[0].text.rfind("Möchten Sie Ihren Desktop wirklich durch die Projektsicherung:\r\n\r\nVersion: 03.01.0001\r\n"
                                        "Computer: SIMPC\r\n",
                                        0),
        0u)
        << sim.dialogs.asked[0].text;
    EXPECT_EQ(sim.dialogs.asked[1].title, "Neues Symbol vorhanden...");
    EXPECT_EQ(sim.dialogs.asked[1].text,
              "Auf dem Desktop ist 1 neues Symbol/Verknüpfung vorhanden, soll dieses gelöscht werden!\r\n\r\n    Neu");

    EXPECT_EQ(at("Liste.csv"), saved);
    EXPECT_EQ(iconRow("Liste.csv").sub(5), "Koordinaten erfolgreich gesetzt!");
    EXPECT_EQ(read(user("Notiz.txt")), "merken");
    EXPECT_EQ(iconRow("Notiz").sub(5), "erstellt und Koordinaten erfolgreich gesetzt!");
    // The new file is in the recycle bin, not destroyed.
    EXPECT_FALSE(fs::exists(native(user("Neu.txt"))));
    bool recycled = false;
    for (const auto& e : fs::recursive_directory_iterator(scratch.path()))
        if (e.path().filename() == "Neu.txt") recycled = true;
    EXPECT_TRUE(recycled);
    EXPECT_EQ(iconRow("Neu").sub(7), "Symbol, Datei gelöscht!");
    EXPECT_NE(form.lblInfo().text.find("(0001) korrigiert - (0000) nicht gesetzt - (0001) erstellt - (0000) nicht erstellt - "
                                       "(0001) neu auf Desktop - (0001) gelöscht"),
              std::string::npos)
        << form.lblInfo().text;
    EXPECT_EQ(plainMarks, 1);
    EXPECT_TRUE(logged("Desktop Verweise aus Projektdatei wieder hergestellt!"));
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(DesktopRestoreTest, AProjectWithoutAnyOfTheDesktopsIconsAsksTwiceBeforeEmptyingTheDesktop) {
    std::string text = read("C:\\Projekte\\" + project);
    const std::size_t from = text.find("<ICON_DATA>") + 11, to = text.find("</ICON_DATA>");
    text.erase(from, to - from);  // a project without icons
    file("C:\\Projekte\\" + project, text);
    for (int i = 0; i < 5; ++i) file(user("Mehr " + std::to_string(i) + ".txt"), "m");
    sim.desktop.refresh();
    sim.dialogs.answerMessage(MsgAnswer::Yes);  // restore?
    sim.dialogs.answerMessage(MsgAnswer::Yes);  // remove the new icons?
    sim.dialogs.answerMessage(MsgAnswer::No);   // really all of them?
    form.menuClick(MenuId::Project, 2);

    ASSERT_EQ(sim.dialogs.asked.size(), 3u);
    const std::string& names = sim.dialogs.asked[1].text;
    EXPECT_NE(names.find("\r\n    Brief\r\n"), std::string::npos) << names;
    EXPECT_NE(names.find("\r\n    und " + std::to_string(sim.desktop.itemCount() - 10) + " weitere"), std::string::npos) << names;
    EXPECT_EQ(sim.dialogs.asked[2].title, "Alle Symbole löschen?");
    EXPECT_EQ(sim.dialogs.asked[2].icon, MsgIcon::Exclamation);
    EXPECT_EQ(read(user("Brief.txt")), "Liebe Grüße") << "nothing removed";
    EXPECT_EQ(sim.desktop.itemCount(), 13);
}

TEST_F(DesktopRestoreTest, AnotherComputersProjectAsksAndNoChangesNothing) {
    // The project file says it was saved on another computer.
    const std::string path = "C:\\Projekte\\" + project;
    std::string bytes = read(path);
    const std::string saved = "<ComputerName>SIMPC</ComputerName>";
    ASSERT_NE(bytes.find(saved), std::string::npos);
    file(path, bytes.replace(bytes.find(saved), saved.size(), "<ComputerName>ANDERER</ComputerName>"));
    fs::remove(native(user("Notiz.txt")));
    sim.desktop.refresh();
    sim.dialogs.answerMessage(MsgAnswer::Yes);
    sim.dialogs.answerMessage(MsgAnswer::No);
    std::string file;
    EXPECT_FALSE(form.restoreSelectedProject(false, true));
    ASSERT_EQ(sim.dialogs.asked.size(), 2u);
    EXPECT_EQ(sim.dialogs.asked[1].title, "Desktop trotzdem wieder herstellen...");
    EXPECT_EQ(sim.dialogs.asked[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(sim.dialogs.asked[1].text,
              "ACHTUNG!\r\n\r\nDiese Desktop Sicherung stimmt mit Computername nicht mit dem aktuellen Computer überein:\r\n\r\n"
              "Computername: 'ANDERER' (Desktop Sicherung) \r\nComputername: 'SIMPC' (Aktueller Computer)\r\n\r\n"
              "Möchten Sie trotzdem wieder herstellen?");
    EXPECT_FALSE(fs::exists(native(user("Notiz.txt"))));
    EXPECT_TRUE(file.empty());

    // "No" to the first question: no run, but not a mismatch either.
    sim.dialogs.answerMessage(MsgAnswer::No);
    EXPECT_TRUE(form.restoreSelectedProject(false, true));
    EXPECT_FALSE(fs::exists(native(user("Notiz.txt"))));
}

TEST_F(DesktopRestoreTest, AnIconThatCannotBeMovedIsTriedThreeTimesMore) {
    showSelectedProject(form);
    ASSERT_GT(savedIconCount(), 1);
    sim.desktop.model().setSnapToGrid(true);
    // The project puts its first icon off the grid: the desktop will not put it there.
    const std::string path = "C:\\Projekte\\" + project;
    std::string text = read(path);
    const std::size_t x = text.find("<PosX>") + 6, end = text.find("</PosX>", x);
    text.replace(x, end - x, std::to_string(std::stoi(text.substr(x, end - x)) + 7));
    file(path, text);
    sim.dialogs.answerAllMessages(MsgAnswer::Yes);
    std::string file;
    EXPECT_TRUE(form.restoreSelectedProject(false, true));
    for (int attempt = 1; attempt <= 3; ++attempt)
        EXPECT_TRUE(logged("Symbole konnten nicht erfolgreich gesetzt werden Anzahl (" + std::to_string(attempt) + ") => Versuch " +
                           std::to_string(attempt + 1) + " ..."));
    EXPECT_FALSE(logged("Symbole konnten nicht erfolgreich gesetzt werden Anzahl (4) => Versuch 5 ..."));
    EXPECT_NE(form.lblInfo().text.find("- (0001) nicht gesetzt"), std::string::npos) << form.lblInfo().text;
    EXPECT_EQ(form.lblInfo().foreColor, kColorRed);
}

TEST_F(DesktopRestoreTest, CancellingDuringTheIconPassEndsTheRunAndAllowsANewOne) {
    changeDesktop();
    sim.dialogs.answerAllMessages(MsgAnswer::Yes);
    showSelectedProject(form);
    sim.events.at(sim.events.pumps + 2, [this] { form.program().cancel = true; });
    std::string file;
    EXPECT_TRUE(form.restoreSelectedProject(false, true));
    EXPECT_EQ(form.lblInfo().text.rfind("Abbruch: (", 0), 0u) << form.lblInfo().text;
    EXPECT_TRUE(logged("Abbruch durch Benutzer"));
    EXPECT_FALSE(form.program().cancel);
    EXPECT_TRUE(fs::exists(native(user("Neu.txt"))));
}

TEST_F(DesktopRestoreTest, CancellingWhileNewIconsAreRemovedKeepsTheRest) {
    changeDesktop();
    file(user("Neu 2.txt"), "auch neu");
    sim.desktop.refresh();
    sim.dialogs.answerAllMessages(MsgAnswer::Yes);
    showSelectedProject(form);
    view.onStatus = [this] {
        if (form.lblInfo().text.ends_with("' gelöscht!")) form.program().cancel = true;
    };
    EXPECT_TRUE(form.restoreSelectedProject(false, true));
    EXPECT_NE(fs::exists(native(user("Neu.txt"))), fs::exists(native(user("Neu 2.txt")))) << "one went, the other stayed";
    EXPECT_EQ(form.lblInfo().text.rfind("Abbruch: (", 0), 0u) << form.lblInfo().text;
    EXPECT_TRUE(form.lblInfo().text.ends_with("(0002) neu auf Desktop - (0001) gelöscht")) << form.lblInfo().text;
    EXPECT_TRUE(logged("Abbruch durch Benutzer"));
    EXPECT_FALSE(form.program().cancel);

    // A new run afterwards removes the one that stayed.
    view.onStatus = nullptr;
    EXPECT_TRUE(form.restoreSelectedProject(false, true));
    EXPECT_FALSE(form.lblInfo().text.starts_with("Abbruch")) << form.lblInfo().text;
    EXPECT_TRUE(form.lblInfo().text.ends_with("- (0001) gelöscht")) << form.lblInfo().text;
    EXPECT_FALSE(fs::exists(native(user("Neu.txt"))) || fs::exists(native(user("Neu 2.txt"))));
}

}  // namespace
}  // namespace plenvik

namespace plenvik {
namespace {

TEST_F(DesktopRestoreTest, ClosingTheWindowDuringAMenuRunCancelsItAndClosesAfterwards) {
    sim.events.at(sim.events.pumps + 3, [this] { EXPECT_FALSE(form.requestClose()); });
    sim.dialogs.answerMessage(MsgAnswer::Yes);  // cancel the running action?
    form.menuClick(MenuId::Project, 1);
    ASSERT_FALSE(sim.dialogs.asked.empty());
    EXPECT_EQ(sim.dialogs.asked[0].title, " Aktion abbrechen...");
    EXPECT_NE(sim.dialogs.asked[0].text.find("'Desktop Symbole aus Projektdatei herstellen'"), std::string::npos);
    EXPECT_EQ(form.lblInfo().text.rfind("Abbruch: (", 0), 0u) << form.lblInfo().text;
    EXPECT_TRUE(form.ended());
    EXPECT_TRUE(view.closed);
}

}  // namespace
}  // namespace plenvik
