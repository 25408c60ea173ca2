// The project list and the analysis of a project file on the simulated platform: saved projects are
// listed with their header, damaged files as error rows, a selected project fills the lower lists and
// the project icon table, deleting asks first and never claims a deletion that did not happen.
#include "app/ProjectListController.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/MainController.h"
#include "platform/sim/SimPlatform.h"
#include "project/DesktopSave.h"
#include "project/ProjectAnalysis.h"
#include "project/ProjectNames.h"
#include "base64/Base64.h"
#include "support/MemoryFileSystem.h"
#include "support/ProgramFixture.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

class ProjectListTest : public test::ProgramFixture {
protected:
    std::string folder = "C:\\Projekte\\";

    // Saves the simulated desktop and returns the project's file name.
    std::string saveProject() {
        file(user("Brief.txt"), "Liebe Grüße");
        fs::create_directories(native(user("Ordner")));
        sim.desktop.refresh();
        std::string directory;
        EXPECT_TRUE(form.saveDesktop(directory, "", false));
        for (const auto& e : fs::directory_iterator(native("C:\\Projekte")))
            if (e.path().extension() == ".Plenvk") return e.path().filename().string();
        ADD_FAILURE() << "no project file written";
        return {};
    }
    bool search(const std::string& onlyFile = "") {
        std::string directory = "C:\\Projekte";
        const bool found = searchProjectFiles(form, directory, onlyFile);
        EXPECT_EQ(directory, folder);
        return found;
    }
    int row(const std::string& key) { return form.lists.projects.find(key); }
    void show(const std::string& key) {
        form.lists.projects.select(row(key));
        showSelectedProject(form);
    }
    std::shared_ptr<const LoadedProject> analyse(const std::string& fileName) {
        RunContext context = form.runContext();
        return analyseProjectFile(context, folder, fileName);
    }
};

TEST_F(ProjectListTest, ListsSavedProjectsWithTheirHeaderAndTheCurrentDesktopLast) {
    const std::string name = saveProject();
    const std::string iconCount = std::to_string(form.currentDesktop().iconCount());
    ASSERT_TRUE(search());
    ASSERT_EQ(form.lists.projects.size(), 2);
    const ListRow& current = form.lists.projects.row(row("SYSTEM"));
    EXPECT_EQ(current.text, "(aktuell)");
    EXPECT_EQ(current.smallIcon, "DESKTOP");
    EXPECT_EQ(current.sub(1), sim.system.computer);
    EXPECT_EQ(current.sub(16), "99999999999");

    const ListRow& project = form.lists.projects.row(row(name));
    EXPECT_EQ(project.text, "03.01.0001");
    EXPECT_EQ(project.smallIcon, "DESY");
    EXPECT_EQ(project.sub(1), sim.system.computer);
    EXPECT_EQ(project.sub(2), sim.system.user);
    EXPECT_EQ(project.sub(4), "1");
    EXPECT_EQ(project.sub(5), iconCount);
    EXPECT_EQ(project.sub(11), folder);
    EXPECT_EQ(project.sub(12), name);
    EXPECT_FALSE(project.ghosted);
    // Sorted by the time key, the current desktop comes after every project.
    const LocalTime t = sim.clock.now();
    EXPECT_EQ(project.sub(16), timeKey(t));
    form.lists.projects.sortBy(16, true);
    EXPECT_EQ(form.lists.projects.row(form.lists.projects.size() - 1).key, "SYSTEM");

    // A single file, as RESTORE asks for it: no current-desktop row.
    ASSERT_TRUE(search(name));
    ASSERT_EQ(form.lists.projects.size(), 1);
    EXPECT_EQ(form.lists.projects.row(0).key, name);
}

TEST_F(ProjectListTest, DamagedAndForeignFilesShowAsSuch) {
    file(folder + "Kaputt.Plenvk", "<?xml version=\"1.0\"?>\r\n<DATA>\r\n  <Title>x</Titel>\r\n</DATA>\r\n");
    file(folder + "Fremd.Plenvk", "<?xml version=\"1.0\"?><OTHER/>");
    file(folder + "Anderer PC.Plenvk",
         "<DATA><OrvelVersion>03.01.0001</OrvelVersion><ComputerName>ANDERER</ComputerName><UserName>u</UserName>"
         "<DateTime>2008-01-02 03:04:05</DateTime><MonitorCount>1</MonitorCount><IconCount>0</IconCount>"
         "<DesktopViewStyle>0</DesktopViewStyle><DesktopArrangeStyle>0</DesktopArrangeStyle></DATA>");
    file(folder + "Ohne Kopf.Plenvk", "<DATA><OrvelVersion>1</OrvelVersion></DATA>");
    fs::create_directories(native(folder + "Ordner.Plenvk"));
    file(folder + "Notiz.txt", "kein Projekt");

    errors.answers = {kActionLeave};  // for the file without its header
    ASSERT_TRUE(search());
    const ListRow& damaged = form.lists.projects.row(row("Kaputt.Plenvk"));
    EXPECT_EQ(damaged.text, "(Fehler in XML");
    EXPECT_EQ(damaged.smallIcon, "ERR");
    EXPECT_EQ(damaged.sub(12), "Kaputt.Plenvk");
    EXPECT_EQ(damaged.sub(13).rfind("Meldung: ", 0), 0u);
    EXPECT_EQ(damaged.sub(13).find('\n'), std::string::npos);
    EXPECT_NE(damaged.sub(14).find(" - Zeile: 3 - Zeilen Position: "), std::string::npos) << damaged.sub(14);
    EXPECT_NE(damaged.sub(15).find("</Titel>"), std::string::npos) << damaged.sub(15);

    EXPECT_EQ(form.lists.projects.row(row("Fremd.Plenvk")).text, "(DATA nicht vorhanden");

    // Saved elsewhere: listed ghosted in grey; its ISO date still sorts.
    const ListRow& foreign = form.lists.projects.row(row("Anderer PC.Plenvk"));
    EXPECT_TRUE(foreign.ghosted);
    EXPECT_EQ(foreign.foreColor, kColorGrey);
    EXPECT_EQ(foreign.sub(16), "080102030405");

    // A file without its header elements is reported, and the search goes on with the others.
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_NE(errors.reports[0].description.find("Ohne Kopf.Plenvk"), std::string::npos);
    EXPECT_EQ(row("Ohne Kopf.Plenvk"), -1);
    EXPECT_EQ(row("Ordner.Plenvk"), -1);
    EXPECT_EQ(row("Notiz.txt"), -1);
    EXPECT_EQ(form.lists.projects.size(), 4);  // the three above and "(aktuell)"

    // An error row shows its message in the lower list.
    show("Kaputt.Plenvk");
    EXPECT_EQ(form.lists.projectData.row(0).key, "MAIN");
    EXPECT_EQ(form.lists.projectData.row(0).text, "Fehler:");
    EXPECT_EQ(form.lists.projectData.row(0).sub(1), damaged.sub(13));
    EXPECT_EQ(form.lists.projectData.row(form.lists.projectData.find("FILE1")).sub(1), damaged.sub(14));
    EXPECT_FALSE(form.command(CommandId::ChangeDesktopSettings).enabled);
}

TEST_F(ProjectListTest, TheListReadsHeadersOnlyAndAFileDamagedAfterItsHeaderShowsItsErrorWhenShown) {
    const std::string name = saveProject();
    const std::string whole = read(folder + name);
    const std::size_t icons = whole.find("<ICON_DATA>");
    ASSERT_NE(icons, std::string::npos);
    file(folder + "Abgebrochen.Plenvk", whole.substr(0, icons + 40));  // cut off inside the icons
    ASSERT_TRUE(search());
    const ListRow& cut = form.lists.projects.row(row("Abgebrochen.Plenvk"));
    EXPECT_EQ(cut.text, "03.01.0001") << "listed by its header";
    show("Abgebrochen.Plenvk");
    EXPECT_EQ(form.lists.projectData.row(0).text, "Fehler:");
    EXPECT_FALSE(form.command(CommandId::DesktopRestore).enabled);
}

TEST_F(ProjectListTest, ShowingAProjectLoadsItsMonitorsPictureAndIcons) {
    const std::string name = saveProject();
    const std::vector<DesktopIcon> saved(form.currentDesktop().icons.begin() + 1, form.currentDesktop().icons.end());
    const float scaleX = form.currentDesktop().pictureScaleX;
    ASSERT_TRUE(search());
    show(name);

    EXPECT_EQ(form.shownProjectKey, name);
    EXPECT_TRUE(form.projectListTag.empty());
    EXPECT_TRUE(form.command(CommandId::DesktopRestore).enabled);
    const ListModel& data = form.lists.projectData;
    EXPECT_EQ(data.row(data.find("MAIN")).sub(1), "Symbole (normal) (am Raster ausrichten)");
    EXPECT_EQ(data.row(data.find("NAME")).sub(1), name);
    EXPECT_EQ(data.row(data.find("MONITOR")).text, "Monitore: 1");
    const ListRow& monitor = data.row(data.find("MONITOR1"));
    EXPECT_EQ(monitor.text, "    Monitor 1");
    EXPECT_EQ(monitor.sub(1), "1280 * 1024, 60, 32 Bit - Pos: 0000, 0000, 1280, 1024");
    EXPECT_EQ(monitor.sub(8), "1280");
    EXPECT_EQ(monitor.sub(12), "0");

    ASSERT_TRUE(form.shownProject());
    const LoadedProject& project = *form.shownProject();
    ASSERT_EQ(project.icons.size(), saved.size() + 1);
    ASSERT_EQ(form.lists.projectIcons.size(), static_cast<int>(saved.size()));
    for (std::size_t i = 1; i < project.icons.size(); ++i) {
        const DesktopIcon& icon = project.icons[i];
        const int r = form.lists.projectIcons.find(icon.ListKey);
        ASSERT_GE(r, 0) << icon.Name;
        EXPECT_EQ(form.lists.projectIcons.row(r).text, icon.Name);
        EXPECT_EQ(form.lists.projectIcons.row(r).sub(4), icon.FileShellFolderType == 16 ? "Desktop 'Angemeldeter Benutzer'" : "System");
        if (icon.Name == "Brief.txt") {
            EXPECT_EQ(icon.FileType, "FILE");
            const auto bytes = decodeBase64(icon.FileData_BASE64);
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Liebe Grüße");
        }
    }
    EXPECT_FLOAT_EQ(project.pictureScaleX, scaleX);
    // The picture was written for the picture view and is a JPEG.
    const std::string jpeg = read(sim.system.folder + "\\Desktop.jpg");
    ASSERT_GE(jpeg.size(), 4u);
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    EXPECT_TRUE(form.projectListTag.empty());

    // The current desktop row reads the live desktop and allows the desktop settings instead.
    show("SYSTEM");
    EXPECT_FALSE(form.command(CommandId::DesktopRestore).enabled);
    EXPECT_TRUE(form.command(CommandId::ChangeDesktopSettings).enabled);
    EXPECT_EQ(form.lists.projectIcons.size(), static_cast<int>(saved.size()));
    EXPECT_EQ(form.shownProjectKey, "SYSTEM");
}

TEST_F(ProjectListTest, AnalysisOfABrokenFileChangesNothingAndSaysWhy) {
    file(folder + "nicht xml.Plenvk", "das ist kein XML");
    EXPECT_FALSE(analyse("nicht xml.Plenvk"));
    EXPECT_EQ(form.lblInfo().text, "Symbole aus Datei laden und anzeigen...");
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_FALSE(analyse("fehlt.Plenvk"));

    // Well-formed, but an icon lacks its position: reported, and no project is made for a restore to
    // act on.
    file(folder + "ohne pos.Plenvk",
         "<DATA><DesktopViewStyle>0</DesktopViewStyle><DesktopArrangeStyle>0</DesktopArrangeStyle>"
         "<ScreenPicture></ScreenPicture><ScreenPictureHorizontalOperator>1</ScreenPictureHorizontalOperator>"
         "<ScreenPictureVerticalOperator>1</ScreenPictureVerticalOperator><MONITOR_DATA/>"
         "<ICON_DATA><Icon001><Nr>1</Nr><Name>a</Name><PosY>2</PosY></Icon001></ICON_DATA></DATA>");
    errors.answers = {kActionLeave};
    EXPECT_FALSE(analyse("ohne pos.Plenvk"));
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].procedure, "Plenvik.frmMain.fc_DesktopIconsAnalyseFromFile");
    EXPECT_NE(errors.reports[0].description.find("PosX"), std::string::npos);
}

TEST_F(ProjectListTest, IconRowsShowWhyContentIsMissing) {
    file(folder + "p.Plenvk",
         "<DATA><DesktopViewStyle>3</DesktopViewStyle><DesktopArrangeStyle>5</DesktopArrangeStyle>"
         "<ScreenPicture></ScreenPicture><ScreenPictureHorizontalOperator>2,5</ScreenPictureHorizontalOperator>"
         "<ScreenPictureVerticalOperator>2,5</ScreenPictureVerticalOperator><MONITOR_DATA/><ICON_DATA>"
         "<Icon001><Nr>1</Nr><Name>Weg</Name><PosX>-12</PosX><PosY>320</PosY><FileName>Weg.lnk</FileName><FileType>ERRLINK</FileType>"
         "<FileShellFolderType>16</FileShellFolderType><FileReasonNotLoaded>2</FileReasonNotLoaded><FileData_BASE64/></Icon001>"
         "<Icon002><Nr>2</Nr><Name>Gross</Name><PosX>75</PosX><PosY>320</PosY><FileName>Gross.bin</FileName><FileType>FILE</FileType>"
         "<FileShellFolderType>25</FileShellFolderType><FileReasonNotLoaded>1</FileReasonNotLoaded><FileData_BASE64/></Icon002>"
         "<Icon003><Nr>3</Nr><Name>Papierkorb</Name><PosX>0</PosX><PosY>0</PosY><FileName></FileName>"
         "<FileType>{645FF040-5081-101B-9F08-00AA002F954E}</FileType><FileShellFolderType>0</FileShellFolderType>"
         "<FileReasonNotLoaded>1</FileReasonNotLoaded><FileData_BASE64/></Icon003>"
         "</ICON_DATA></DATA>");
    form.lists.projectData.add("MAIN", "Desktop Anzeige:", "DESKTOP");
    const auto project = analyse("p.Plenvk");
    ASSERT_TRUE(project);
    EXPECT_EQ(form.lists.projectData.row(0).sub(1), "Liste (am Raster ausrichten)");
    EXPECT_FLOAT_EQ(project->pictureScaleX, 2.5f);
    EXPECT_EQ(form.lblInfo().text, "");
    const ListModel& icons = form.lists.projectIcons;
    const ListRow& gone = icons.row(icons.find("ICON1"));
    EXPECT_EQ(gone.smallIcon, "ERRLINK");
    EXPECT_EQ(gone.sub(7), "Verweis konnte beim Erstellen der Sicherung nicht verfolgt werden!");
    EXPECT_EQ(gone.sub(6), "-000012-000320");
    const ListRow& big = icons.row(icons.find("ICON2"));
    EXPECT_EQ(big.smallIcon, "FILETOBIG");
    EXPECT_EQ(big.sub(7), "Datei wurde beim Erstellen der Sicherung nicht geladen, da sie zu groß war!");
    EXPECT_EQ(big.sub(4), "Desktop 'Alle Benutzer'");
    EXPECT_EQ(big.sub(6), "000075-000320");
    const ListRow& bin = icons.row(icons.find("ICON3"));
    EXPECT_EQ(bin.smallIcon, "ICONSYS");
    EXPECT_EQ(bin.sub(4), "System");
    EXPECT_EQ(bin.sub(7), "");
    EXPECT_EQ(project->icons[2].ListKey, "ICON2");
}

TEST_F(ProjectListTest, DeletingAsksAndNeverPretends) {
    const std::string name = saveProject();
    ASSERT_TRUE(search());
    show(name);

    sim.dialogs.answerMessage(MsgAnswer::No);
    deleteSelectedProject(form);
    EXPECT_TRUE(fs::exists(native(folder + name)));
    EXPECT_GE(row(name), 0);
    EXPECT_EQ(sim.dialogs.asked.back().title, "Desktop Projektdatei löschen...");
    EXPECT_EQ(sim.dialogs.asked.back().text, "Möchten Sie die markierte Desktop Projekt Sicherung: '03.01.0001 wirklich löschen?");

    sim.dialogs.answerMessage(MsgAnswer::Yes);
    deleteSelectedProject(form);
    EXPECT_FALSE(fs::exists(native(folder + name)));
    EXPECT_EQ(row(name), -1);
    EXPECT_EQ(form.lists.projectIcons.size(), 0);
    EXPECT_TRUE(form.shownProjectKey.empty());

    // Delete on the current desktop's row does nothing, and asks nothing.
    const std::size_t asked = sim.dialogs.asked.size();
    form.lists.projects.select(row("SYSTEM"));
    projectListKeyUp(form, 46);
    EXPECT_EQ(sim.dialogs.asked.size(), asked);
    EXPECT_GE(row("SYSTEM"), 0);
}

TEST_F(ProjectListTest, AFileThatCannotBeDeletedKeepsItsRow) {
    test::MemoryFileSystem files;
    files.files["C:\\P\\a.Plenvk"] = "<DATA/>";
    files.failRecycle = true;
    Platform p = sim.platform();
    Platform withLockedFile{p.system, p.clock,    p.locale, p.dialogs,  p.events, p.processes,
                            files,    p.registry, p.shell,  p.displays, p.desktop};
    MainController other(withLockedFile, errors, actions);
    other.load("");
    const int r = other.lists.projects.add("a.Plenvk", "03.01.0001", "DESY");
    other.lists.projects.setSubItem(r, ProjectColumn::Directory, "C:\\P\\");
    other.lists.projects.setSubItem(r, ProjectColumn::File, "a.Plenvk");
    other.lists.projects.select(r);
    other.shownProjectKey = "a.Plenvk";
    sim.dialogs.answerMessage(MsgAnswer::Yes);
    sim.dialogs.answerMessage(MsgAnswer::Ok);
    deleteSelectedProject(other);
    EXPECT_EQ(other.lists.projects.find("a.Plenvk"), r);
    EXPECT_EQ(other.shownProjectKey, "a.Plenvk");
    EXPECT_EQ(sim.dialogs.asked.back().text, "Die Desktop Projektdatei 'C:\\P\\a.Plenvk' konnte nicht gelöscht werden.");
    EXPECT_EQ(files.files.count("C:\\P\\a.Plenvk"), 1u);
}

TEST_F(ProjectListTest, AFileTheRecycleBinWouldNotKeepGoesForGoodOnlyWhenTheUserSaysSo) {
    const std::string name = saveProject();
    ASSERT_TRUE(search());
    sim.files.unrecyclableFolder = "C:\\Projekte";  // a network drive, say
    const std::string question = "'" + folder + name + "' kann nicht in den Papierkorb verschoben werden. Endgültig löschen?";

    show(name);
    sim.dialogs.answerMessage(MsgAnswer::Yes);
    sim.dialogs.answerMessage(MsgAnswer::No);
    deleteSelectedProject(form);
    EXPECT_TRUE(fs::exists(native(folder + name)));
    EXPECT_GE(row(name), 0);
    ASSERT_EQ(sim.dialogs.asked.back().text, question);
    EXPECT_EQ(sim.dialogs.asked.back().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(sim.dialogs.asked.back().secondButtonDefault);

    sim.dialogs.answerMessage(MsgAnswer::Yes);
    sim.dialogs.answerMessage(MsgAnswer::Yes);
    deleteSelectedProject(form);
    EXPECT_EQ(sim.dialogs.asked.back().text, question);
    EXPECT_FALSE(fs::exists(native(folder + name)));
    EXPECT_EQ(row(name), -1);
    EXPECT_FALSE(fs::exists(sim.files.recycleFolder() + "/" + name));
}

TEST_F(ProjectListTest, AProjectInARelativeDirectoryGoesToTheRecycleBinByItsFullPath) {
    sim.files.currentFolder = "C:\\Plenvik";
    fs::create_directories(native("C:\\Plenvik\\backups"));
    file("C:\\Plenvik\\backups\\a.Plenvk", "<DATA/>");
    const int r = form.lists.projects.add("a.Plenvk", "03.01.0001", "DESY");
    form.lists.projects.setSubItem(r, ProjectColumn::Directory, "backups\\");
    form.lists.projects.setSubItem(r, ProjectColumn::File, "a.Plenvk");
    form.lists.projects.select(r);
    const std::size_t asked = sim.dialogs.asked.size();
    sim.dialogs.answerMessage(MsgAnswer::Yes);
    deleteSelectedProject(form);
    EXPECT_EQ(sim.dialogs.asked.size(), asked + 1) << "asked nothing but whether to delete";
    EXPECT_FALSE(fs::exists(native("C:\\Plenvik\\backups\\a.Plenvk")));
    EXPECT_TRUE(fs::exists(sim.files.recycleFolder() + "/a.Plenvk"));
}

TEST_F(ProjectListTest, MouseAndKeysShowRowsButNotWhileOneIsBeingShown) {
    const std::string name = saveProject();
    ASSERT_TRUE(search());
    projectListMouseUp(form, MouseButton::Left, row(name));
    EXPECT_EQ(form.shownProjectKey, name);

    // While a row is being shown the list snaps back to it.
    form.projectListTag = "RUNNING";
    projectListMouseUp(form, MouseButton::Left, row("SYSTEM"));
    EXPECT_EQ(form.lists.projects.selectedIndex(), row(name));
    form.lists.projects.select(row("SYSTEM"));
    projectListKeyUp(form, 40);
    EXPECT_EQ(form.lists.projects.selectedIndex(), row(name));
    form.projectListTag.clear();

    // Right click: on a project the restore items, elsewhere only the save item.
    projectListMouseUp(form, MouseButton::Right, -1);
    EXPECT_FALSE(form.menu(MenuId::Project).item(1)->enabled);
    EXPECT_TRUE(form.menu(MenuId::Project).item(6)->enabled);
    EXPECT_FALSE(form.menu(MenuId::Project).item(7)->enabled);
    projectListMouseUp(form, MouseButton::Right, row(name));
    EXPECT_TRUE(form.menu(MenuId::Project).item(2)->enabled);
    EXPECT_FALSE(form.menu(MenuId::Project).item(6)->enabled);
    EXPECT_TRUE(form.menu(MenuId::Project).item(7)->enabled);
    EXPECT_EQ(view.popups.size(), 2u);

    // Arrow key onto another row shows it.
    form.lists.projects.select(row("SYSTEM"));
    projectListKeyUp(form, 40);
    EXPECT_EQ(form.shownProjectKey, "SYSTEM");
}

TEST_F(ProjectListTest, ChoosingADirectorySearchesIt) {
    fs::create_directories(native("C:\\Andere"));
    file("C:\\Andere\\a.Plenvk", "kaputt");
    sim.dialogs.answerFolder(std::nullopt);
    chooseProjectDirectory(form);
    EXPECT_EQ(form.directory(), "C:\\Projekte");
    EXPECT_EQ(sim.dialogs.asked.back().text, "Plenvik - Projektverzeichnis");
    EXPECT_EQ(sim.dialogs.asked.back().title, "C:\\Projekte");

    sim.dialogs.answerFolder(std::string("C:\\Andere\\"));
    chooseProjectDirectory(form);
    EXPECT_EQ(form.directory(), "C:\\Andere");
    EXPECT_EQ(form.directoryTag(), "C:\\Andere");
    EXPECT_GE(row("a.Plenvk"), 0);
}

TEST(MonitorRowInformationTest, ModesArePaddedToTwentyThreeCharacters) {
    EXPECT_EQ(monitorRowInformation(1920, 1080, 60, 32, 0, 0, 1920, 1080), "1920 * 1080, 60, 32 Bit - Pos: 0000, 0000, 1920, 1080");
    EXPECT_EQ(monitorRowInformation(800, 600, 75, 16, 0, 0, 800, 600), "0800 * 0600, 75, 16 Bit - Pos: 0000, 0000, 0800, 0600");
    EXPECT_EQ(monitorRowInformation(800, 600, 144, 8, -1280, -5, 0, 600), "0800 * 0600, 144, 08 Bit - Pos: -1280, -0005, 0000, 0600");
}

}  // namespace
}  // namespace plenvik

namespace plenvik {
namespace {

TEST_F(ProjectListTest, AProjectOfAHundredThousandIconsIsShownWithItsContentsLeftInTheFile) {
    std::ifstream in(std::string(PLENVIK_TEST_DATA) + "/project/golden.Plenvk", std::ios::binary);
    const std::string golden((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t from = golden.find("<ICON_DATA>") + 11, to = golden.find("</ICON_DATA>");
    std::string icons;
    for (int i = 1; i <= 100000; ++i)
        icons += "<Icon" + std::to_string(i) + "><Nr>" + std::to_string(i) + "</Nr><Name>Datei " + std::to_string(i) + "</Name><PosX>" +
                 std::to_string(i % 1000) + "</PosX><PosY>7</PosY><FileName>Datei " + std::to_string(i) +
                 ".txt</FileName><FileType>FILE</FileType><FileShellFolderType>16</FileShellFolderType>"
                 "<FileReasonNotLoaded>0</FileReasonNotLoaded><FileData_BASE64>QUJD\r\nREVG</FileData_BASE64></Icon" +
                 std::to_string(i) + ">\r\n";
    file(folder + "Gross.Plenvk", golden.substr(0, from) + icons + golden.substr(to));

    const auto project = analyse("Gross.Plenvk");
    ASSERT_TRUE(project);
    EXPECT_EQ(project->iconCount(), 100000u);
    EXPECT_EQ(form.lists.projectIcons.size(), 100000);
    const DesktopIcon& icon = project->icons[54321];
    EXPECT_EQ(icon.Name, "Datei 54321");
    EXPECT_EQ(icon.PosX, 321);
    EXPECT_TRUE(icon.FileData_BASE64.empty());
    EXPECT_EQ(icon.ContentLength, 10u);
}

}  // namespace
}  // namespace plenvik
