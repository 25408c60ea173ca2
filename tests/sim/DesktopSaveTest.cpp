// The save run end to end on the simulated platform: a desktop of real files, links and system icons
// becomes a project file that reads back with every icon, code and content; cancelling and failing
// leave nothing behind and destroy nothing.
#include "project/DesktopSave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/MainController.h"
#include "platform/ShellLinks.h"
#include "platform/sim/SimPlatform.h"
#include "project/ProjectFileReader.h"
#include "base64/Base64.h"
#include "support/GuardedFileSystem.h"
#include "support/RecordingMainView.h"
#include "support/ScratchRoot.h"
#include "support/ScriptedErrorHandler.h"
#include "ui/Protocol.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

class DesktopSaveTest : public ::testing::Test {
protected:
    test::ScratchRoot scratch;
    sim::SimPlatform sim{scratch.path()};
    test::GuardedFileSystem guarded{sim.files};  // can refuse writing into a folder
    Platform platform{sim.system, sim.clock,    sim.locale, sim.dialogs,  sim.events, sim.processes,
                      guarded,    sim.registry, sim.shell,  sim.displays, sim.desktop};
    test::ScriptedErrorHandler errors;
    UnavailableActions actions;
    test::RecordingMainView view;
    MainController form{platform, errors, actions};
    const std::string projectFolder = "C:\\Projekte";

    void SetUp() override {
        fs::create_directories(native(sim::SimPlatform::kUserDesktop));
        fs::create_directories(native(sim::SimPlatform::kCommonDesktop));
        fs::create_directories(native("C:\\Daten"));
        fs::create_directories(native(projectFolder));
        view.form = &form;
        form.setView(&view);
        form.load("");
        form.setDirectory(projectFolder, true);
        form.settings().fileSizeMax = 1;  // 1 KiB
        form.settings().fileNameAuto = true;
    }

    fs::path native(const std::string& path) { return sim.files.nativePath(path); }
    void file(const std::string& path, const std::string& bytes) { std::ofstream(native(path), std::ios::binary) << bytes; }
    std::string user(const std::string& name) { return std::string(sim::SimPlatform::kUserDesktop) + "\\" + name; }
    std::string read(const fs::path& path) {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }
    std::vector<fs::path> projectFiles() {
        std::vector<fs::path> found;
        for (const auto& e : fs::directory_iterator(native(projectFolder))) found.push_back(e.path());
        return found;
    }
    void desktop() {
        file("C:\\Daten\\Bericht.txt", "Bericht");
        file(user("Notes & <Co>.txt"), "hello\r\nworld");
        file(user("Gross.bin"), std::string(2000, 'y'));
        file(user("Leer.txt"), "");
        fs::create_directories(native(user("Ordner")));
        auto link = sim.shell.createLink();
        link->setPath("C:\\Daten\\Bericht.txt");
        link->save(user("Bericht.lnk"));
        file(std::string(sim::SimPlatform::kCommonDesktop) +
                 "\\M\xC3\xBC"
                 "ll.txt",
             "alle");
        sim.desktop.refresh();
    }
    bool save() {
        std::string directory;
        return form.saveDesktop(directory, "", false);
    }
};

TEST_F(DesktopSaveTest, SavesTheWholeDesktopIntoAReadableProject) {
    desktop();
    ASSERT_TRUE(save());
    const auto files = projectFiles();
    ASSERT_EQ(files.size(), 1u) << "one project file and no temporary file";
    EXPECT_EQ(files[0].filename().string(), "Plenvik SIMPC tester 261206072546.Plenvk");

    const ProjectDocumentResult read = readProjectFile(this->read(files[0]));
    ASSERT_TRUE(read.ok()) << read.error.message();
    const ProjectDocument& project = read.document;
    EXPECT_EQ(project.header.ComputerName, "SIMPC");
    EXPECT_EQ(project.header.DateTime, "06.12.2026 07:25:46");
    ASSERT_EQ(project.monitors.size(), 1u);
    EXPECT_EQ(project.monitors[0].DeviceName, "\\\\.\\DISPLAY1");
    EXPECT_FALSE(project.screenPicture.empty());
    const auto jpeg = decodeBase64(project.screenPicture);
    ASSERT_GE(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);

    // The icons of both desktops plus the visible system icons, in position-key order.
    std::map<std::string, DesktopIcon> byName;
    for (const auto& icon : project.icons) byName[icon.Name] = icon;
    // The desktop hides the extensions of known types: the label is not the file name, the content is saved.
    ASSERT_TRUE(byName.count("Notes & <Co>"));
    EXPECT_EQ(byName["Notes & <Co>"].FileName, "Notes & <Co>.txt");
    const auto notes = decodeBase64(byName["Notes & <Co>"].FileData_BASE64);
    EXPECT_EQ(std::string(notes.begin(), notes.end()), "hello\r\nworld");
    EXPECT_EQ(byName["Gross.bin"].FileReasonNotLoaded, 1);
    EXPECT_TRUE(byName["Gross.bin"].FileData_BASE64.empty());
    EXPECT_EQ(byName["Leer"].FileData_BASE64, "AA");
    EXPECT_EQ(byName["Ordner"].FileType, "FOLDER");
    EXPECT_EQ(byName["Bericht"].FileType, "FILELINK");
    const auto linkBytes = decodeBase64(byName["Bericht"].FileData_BASE64);
    EXPECT_EQ(std::string(linkBytes.begin(), linkBytes.end()), this->read(native(user("Bericht.lnk"))));
    EXPECT_EQ(byName["M\xC3\xBCll"].FileShellFolderType, 25);
    for (std::size_t j = 1; j < project.icons.size(); ++j) {
        const auto& a = project.icons[j - 1];
        const auto& b = project.icons[j];
        EXPECT_TRUE(a.PosX < b.PosX || (a.PosX == b.PosX && a.PosY <= b.PosY)) << "icons in position order";
    }

    // The main window shows the new project, in the window-text colour again.
    const int row = form.lists.projects.find(files[0].filename().string());
    ASSERT_GE(row, 0);
    EXPECT_EQ(form.lists.projects.row(row).foreColor, kColorWindowText);
    EXPECT_EQ(form.lblInfo().text, "Desktop Sicherung erfolgreich erstellt!");
    EXPECT_EQ(form.protocol()->list().row(0).sub(2), "Desktop Sicherung erfolgreich erstellt: 'Plenvik SIMPC tester 261206072546.Plenvk'");
    EXPECT_EQ(form.lists.projectIcons.size(), static_cast<int>(project.icons.size()));
    EXPECT_EQ(form.progressBar(), nullptr) << "the progress bar goes with the run";
}

TEST_F(DesktopSaveTest, TheNamePromptOffersTheAutomaticNameAndAppendsTheExtension) {
    form.settings().fileNameAuto = false;
    sim.dialogs.answerInput(std::string("test"));
    ASSERT_TRUE(save());
    ASSERT_EQ(sim.dialogs.asked.size(), 1u);
    EXPECT_EQ(sim.dialogs.asked[0].title, "Plenvik - Dateiname...");
    EXPECT_EQ(sim.dialogs.asked[0].text, "Bitte geben Sie den gewünschten Dateiname an:");
    EXPECT_EQ(sim.dialogs.asked[0].defaultText, "Plenvik SIMPC tester 261206072546");
    EXPECT_TRUE(fs::exists(native(projectFolder + "\\test.Plenvk")));
}

TEST_F(DesktopSaveTest, AnEmptyAnswerEndsTheSaveWithoutAFile) {
    form.settings().fileNameAuto = false;
    sim.dialogs.answerInput(std::nullopt);
    EXPECT_FALSE(save());
    EXPECT_TRUE(projectFiles().empty());
}

TEST_F(DesktopSaveTest, ABadNameIsRefusedAndAnExistingFileIsReplacedOnlyWhenConfirmed) {
    form.settings().fileNameAuto = false;
    file(projectFolder + "\\alt.Plenvk", "vorher");
    sim.dialogs.answerInput(std::string("a:b"));
    sim.dialogs.answerMessage(MsgAnswer::Ok);  // the name is not allowed
    sim.dialogs.answerInput(std::string("alt"));
    sim.dialogs.answerMessage(MsgAnswer::No);  // keep the old project
    sim.dialogs.answerInput(std::string("neu"));
    ASSERT_TRUE(save());
    EXPECT_EQ(read(native(projectFolder + "\\alt.Plenvk")), "vorher");
    EXPECT_TRUE(fs::exists(native(projectFolder + "\\neu.Plenvk")));
    EXPECT_NE(sim.dialogs.asked[1].text.find("nicht zulässig"), std::string::npos);
    EXPECT_NE(sim.dialogs.asked[3].text.find("bereits vorhanden"), std::string::npos);
}

// The user's confirmed cancel arrives when the status line first shows the given text.
void cancelAt(test::RecordingMainView& view, MainController& form, const std::string& prefix) {
    view.onStatus = [&form, prefix] {
        if (form.lblInfo().text.rfind(prefix, 0) == 0) form.program().cancel = true;
    };
}

TEST_F(DesktopSaveTest, CancellingDuringTheIconsLeavesNoFileAndRemovesTheRow) {
    desktop();
    cancelAt(view, form, "Analyse der Verkn");
    EXPECT_FALSE(save());
    EXPECT_TRUE(projectFiles().empty());
    EXPECT_EQ(form.lists.projects.find("Plenvik SIMPC tester 261206072546.Plenvk"), -1);
    EXPECT_EQ(form.lblInfo().text, "Abbruch: Erstellung Orvel Desktop Projekt Datei!");
    EXPECT_EQ(form.lblInfo().foreColor, kColorRed);
    EXPECT_EQ(form.protocol()->list().row(0).sub(2), "Abbruch durch Benutzer");
    EXPECT_FALSE(form.program().cancel) << "the run resets the flag it saw";
    EXPECT_EQ(form.lists.projectIcons.size(), 0);
}

TEST_F(DesktopSaveTest, CancellingWhileWritingLeavesNoHalfWrittenFile) {
    desktop();
    const std::string name = "Plenvik SIMPC tester 261206072546.Plenvk";
    file(projectFolder + "\\" + name, "die alte Sicherung");
    cancelAt(view, form, "Datei speichern...");
    EXPECT_FALSE(save());
    EXPECT_EQ(projectFiles().size(), 1u) << "no temporary file is left";
    EXPECT_EQ(read(native(projectFolder + "\\" + name)), "die alte Sicherung");
    EXPECT_EQ(form.lblInfo().text, "Abbruch: Erstellung Orvel Desktop Projekt Datei!");
}

TEST_F(DesktopSaveTest, AFailingWriteKeepsTheEarlierProject) {
    desktop();
    const std::string name = "Plenvik SIMPC tester 261206072546.Plenvk";
    file(projectFolder + "\\" + name, "die alte Sicherung");
    guarded.readOnlyFolder = projectFolder;  // the temporary file cannot be made
    errors.answers = {kActionNext};
    EXPECT_FALSE(save());
    EXPECT_EQ(read(native(projectFolder + "\\" + name)), "die alte Sicherung");
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].procedure, "Plenvik.frmMain.fc_DesktopIconsSaveToFile");
    EXPECT_EQ(form.lblInfo().foreColor, kColorRed);
}

TEST_F(DesktopSaveTest, CurrentDesktopOnlyFillsTheListsAndWritesNothing) {
    desktop();
    form.lists.projects.add("SYSTEM", "(aktuell)", "DESKTOP");
    std::string directory;
    ASSERT_TRUE(form.saveDesktop(directory, "", true));
    EXPECT_TRUE(projectFiles().empty());
    EXPECT_EQ(form.lblInfo().text, "aktuellen Desktop erfolgreich ermittelt!");
    EXPECT_GT(form.lists.projectIcons.size(), 5);
    for (const auto& icon : form.currentDesktop().icons)
        if (icon.FileType == "FILE") {
            EXPECT_TRUE(icon.FileData_BASE64.empty() && icon.ContentPath.empty());
        }
}

TEST_F(DesktopSaveTest, LargeFilesAreStreamedIntoTheProjectExactly) {
    std::string big(3 * 1024 * 1024 + 5, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 7919 + i / 13) & 0xFF);
    file(user("Gross.dat"), big);
    sim.desktop.refresh();
    form.settings().fileSizeMax = 4096;
    ASSERT_TRUE(save());
    const ProjectDocumentResult read = readProjectFile(this->read(projectFiles().at(0)));
    ASSERT_TRUE(read.ok()) << read.error.message();
    const DesktopIcon* embedded = nullptr;
    for (const auto& icon : read.document.icons)
        if (icon.Name == "Gross.dat") embedded = &icon;
    ASSERT_NE(embedded, nullptr);
    const auto bytes = decodeBase64(embedded->FileData_BASE64);
    EXPECT_TRUE(std::string(bytes.begin(), bytes.end()) == big) << "the embedded bytes differ from the file";
}

TEST_F(DesktopSaveTest, AFileThatVanishesBeforeItsContentIsWrittenIsSavedWithoutIt) {
    desktop();
    const std::string notes = user("Notes & <Co>.txt");
    int opened = 0;
    guarded.beforeOpen = [&](const std::string& path) {
        if (path == notes && ++opened == 2) fs::remove(native(notes));  // after the inventory, before the writing
    };
    ASSERT_TRUE(save());
    ASSERT_EQ(opened, 2);
    EXPECT_TRUE(errors.reports.empty());
    const ProjectDocumentResult read = readProjectFile(this->read(projectFiles().at(0)));
    ASSERT_TRUE(read.ok()) << read.error.message();
    std::map<std::string, DesktopIcon> byName;
    for (const auto& icon : read.document.icons) byName[icon.Name] = icon;
    ASSERT_TRUE(byName.count("Notes & <Co>"));
    EXPECT_EQ(byName["Notes & <Co>"].FileReasonNotLoaded, kReasonNoPermission);
    EXPECT_TRUE(byName["Notes & <Co>"].FileData_BASE64.empty());
    EXPECT_EQ(byName["Notes & <Co>"].FileType, "FILE");
    EXPECT_EQ(byName["Leer"].FileData_BASE64, "AA");
    const auto linkBytes = decodeBase64(byName["Bericht"].FileData_BASE64);
    EXPECT_EQ(std::string(linkBytes.begin(), linkBytes.end()), this->read(native(user("Bericht.lnk"))));
    std::string lines;
    for (const ListRow& row : form.protocol()->list().rows()) lines += row.sub(2) + "\n";
    EXPECT_NE(lines.find("'" + notes + "' kann nicht mehr gelesen werden"), std::string::npos) << lines;
}

TEST_F(DesktopSaveTest, AThousandIconsAreSavedInOrder) {
    for (int i = 0; i < 1000; ++i) file(user("Datei " + std::to_string(i) + ".txt"), std::to_string(i));
    sim.desktop.refresh();
    ASSERT_TRUE(save());
    const ProjectDocumentResult read = readProjectFile(this->read(projectFiles().at(0)));
    ASSERT_TRUE(read.ok()) << read.error.message();
    EXPECT_GE(read.document.icons.size(), 1000u);
    EXPECT_EQ(read.document.header.IconCount, std::to_string(read.document.icons.size()));
}

}  // namespace
}  // namespace plenvik
