// The whole journey on a stock desktop (hidden extensions, snapping, a refresh that renumbers, moves kept
// only through the folder view): about 60 icons of every kind are saved, the desktop is scrambled, five
// icons deleted and three added, RESTORE runs from the command line, and after a refresh and a restart
// of the shell every icon is where it was saved, every deleted file is back byte for byte, the new ones
// are in the recycle bin and nothing else changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/ShellLinks.h"
#include "project/DesktopSave.h"
#include "support/ProgramFixture.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

class StockDesktopJourneyTest : public test::ProgramFixture {
protected:
    std::string common(const std::string& name) { return std::string(sim::SimPlatform::kCommonDesktop) + "\\" + name; }
    void link(const std::string& at, const std::string& target) {
        auto l = sim.shell.createLink();
        l->setPath(target);
        ASSERT_EQ(l->save(at), 0) << at;
    }
    // Every file below both desktop folders with its bytes (folders as "<folder>").
    std::map<std::string, std::string> desktopFiles() {
        std::map<std::string, std::string> all;
        for (const char* folder : {sim::SimPlatform::kUserDesktop, sim::SimPlatform::kCommonDesktop})
            for (const auto& e : fs::recursive_directory_iterator(native(folder)))
                all[e.path().string()] = e.is_directory() ? "<folder>" : slurp(e.path());
        return all;
    }
    static std::string slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Where the shell keeps each item, by the name its folder view gives it.
    std::map<std::string, IconPosition> keptPositions() {
        std::map<std::string, IconPosition> kept;
        for (const auto& item : sim.desktop.model().items()) kept[item.entry.parsingName] = item.kept;
        return kept;
    }
};

TEST_F(StockDesktopJourneyTest, SaveScrambleRestoreRefreshAndRestartBringEverythingBack) {
    sim.clock.tickPerReading = true;
    fs::create_directories(native("C:\\Daten\\Ablage"));
    file("C:\\Daten\\Ziel.txt", "Ziel");
    for (int i = 0; i < 20; ++i) file(user("Notiz " + std::to_string(i) + ".txt"), "Notiz " + std::to_string(i));
    for (int i = 0; i < 8; ++i) file(user("Tabelle " + std::to_string(i) + ".xyz"), std::string(100 + i, 'x'));
    file(user("Bericht.docx"), "docx");
    file(user("Bericht.pdf"), "pdf");  // both show "Bericht"
    file(user("Übersicht € 中文.txt"), "unicode");
    for (int i = 0; i < 6; ++i) link(user("Verknüpfung " + std::to_string(i) + ".lnk"), "C:\\Daten\\Ziel.txt");
    link(user("Ablage.lnk"), "C:\\Daten\\Ablage");
    file("C:\\Daten\\weg.txt", "weg");
    link(user("Kaputt.lnk"), "C:\\Daten\\weg.txt");
    fs::remove(native("C:\\Daten\\weg.txt"));  // a link to a deleted target
    for (int i = 0; i < 3; ++i) file(user("Seite " + std::to_string(i) + ".url"), "[InternetShortcut]\r\nURL=https://example.org/\r\n");
    for (int i = 0; i < 4; ++i) fs::create_directories(native(user("Ordner " + std::to_string(i))));
    for (int i = 0; i < 6; ++i) file(common("Gemeinsam " + std::to_string(i) + ".txt"), "alle " + std::to_string(i));
    file(common("Notiz 0.txt"), "die gemeinsame");  // the same name on both desktops
    sim.desktop.refresh();
    sim.desktop.settle();
    ASSERT_GE(sim.desktop.itemCount(), 55);
    // The user arranged some icons off the grid's first cells before saving.
    for (int i = 0; i < sim.desktop.itemCount(); i += 3) sim.desktop.model().place(i, {20 + 100 * (i % 9), 10 + 90 * (i / 9)});

    std::string directory;
    ASSERT_TRUE(form.saveDesktop(directory, "", false));
    std::string project;
    for (const auto& e : fs::directory_iterator(native("C:\\Projekte"))) project = e.path().filename().string();
    const auto savedFiles = desktopFiles();
    const auto savedPositions = keptPositions();

    // Scrambled by the user (moves through the shell itself), five deleted, three new.
    for (int i = 0; i < sim.desktop.itemCount(); ++i) sim.desktop.model().move(i, {1000 - 15 * i, 700 - 9 * i});
    for (const std::string& gone :
         {user("Notiz 3.txt"), user("Bericht.pdf"), user("Verknüpfung 2.lnk"), user("Seite 1.url"), common("Gemeinsam 4.txt")})
        fs::remove(native(gone));
    fs::remove(native(user("Ordner 2")));
    for (const std::string& fresh : {user("Neu.txt"), user("Neu 2.docx"), user("Neu.xyz")}) file(fresh, "neu");
    sim.desktop.refresh();
    sim.desktop.settle();

    sim.dialogs.answerMessage(MsgAnswer::Yes);  // restore?
    sim.dialogs.answerMessage(MsgAnswer::Yes);  // remove the new icons?
    MainController restoring{sim.platform(), errors, actions};
    restoring.load(("RESTORE \"C:\\Projekte\\" + project + "\"").c_str());
    restoring.timerFired();
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(sim.dialogs.asked.size(), 2u);

    for (const bool restart : {false, true}) {
        SCOPED_TRACE(restart ? "after a restart of the shell" : "after a refresh");
        if (restart) {
            sim.desktop.restart();
        } else {
            sim.desktop.refresh();
            sim.desktop.settle();
        }
        const auto now = desktopFiles();
        for (const auto& [path, bytes] : savedFiles) EXPECT_TRUE(now.count(path) && now.at(path) == bytes) << "lost or changed: " << path;
        for (const auto& [path, bytes] : now) EXPECT_TRUE(savedFiles.count(path)) << "not removed: " << path;
        std::map<std::string, IconPosition> shown;
        for (const IconItem& item : sim.desktop.readAll()) shown[item.parsingName] = item.position;
        for (const auto& [name, at] : savedPositions)
            EXPECT_TRUE(shown.count(name) && shown.at(name) == at) << name << " not at " << at.x << "," << at.y;
    }
    int recycled = 0;
    for (const auto& e : fs::recursive_directory_iterator(sim.files.recycleFolder()))
        if (e.path().filename().string().rfind("Neu", 0) == 0) ++recycled;
    EXPECT_EQ(recycled, 3);
}

}  // namespace
}  // namespace plenvik
