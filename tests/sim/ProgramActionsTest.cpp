// The main window with the pieces that are built: Settings.xml read at start-up, the settings command
// through the dialog, the file written again.
#include "app/MainActions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/MainController.h"
#include "platform/sim/SimPlatform.h"
#include "settings/SettingsDialog.h"
#include "support/ScratchRoot.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

// A user who types a size and presses "Sichern".
class TypingUser : public SettingsDialogView {
public:
    std::string typed;
    void showModal(SettingsDialog& form) override {
        form.show();
        form.maxFileSizeChanged(typed);
        form.fileNameAutoClicked(true);
        form.saveClicked();
    }
};

class ProgramActionsTest : public ::testing::Test {
protected:
    test::ScratchRoot scratch;
    sim::SimPlatform sim{scratch.path()};
    test::ScriptedErrorHandler errors;
    TypingUser user;
    ProgramActions actions{[this](const Settings& current) { return runSettingsDialog(user, sim.locale, current); }};
    MainController form{sim.platform(), errors, actions};
    fs::path settingsFile;

    void SetUp() override {
        settingsFile = sim.files.nativePath(sim.system.folder + "\\Settings.xml");
        fs::create_directories(settingsFile.parent_path());
    }
    void writeSettings(const std::string& limit, const std::string& autoName) {
        std::ofstream(settingsFile, std::ios::binary)
            << "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<SETTINGS>\r\n    <GENERAL_FILESIZE_MAX>" << limit
            << "</GENERAL_FILESIZE_MAX>\r\n    <GENERAL_FILE_SAVE>1</GENERAL_FILE_SAVE>\r\n    <GENERAL_FILENAME_AUTO>" << autoName
            << "</GENERAL_FILENAME_AUTO>\r\n    <GENERAL_FOLDER_SAVE>1</GENERAL_FOLDER_SAVE>\r\n</SETTINGS>\r\n";
    }
    std::string fileText() {
        std::ostringstream text;
        text << std::ifstream(settingsFile, std::ios::binary).rdbuf();
        return text.str();
    }
};

TEST_F(ProgramActionsTest, StartUpReadsTheSettingsFile) {
    writeSettings("2048", "1");
    form.load("");
    EXPECT_EQ(form.settings().fileSizeMax, 2048);
    EXPECT_TRUE(form.settings().fileNameAuto);
    EXPECT_FALSE(form.settings().folderSave) << "the folder switch is always off after reading";
}

TEST_F(ProgramActionsTest, ALimitOfZeroInTheFileBecomes500InTheWindow) {
    writeSettings("0", "0");
    form.load("");
    EXPECT_EQ(form.settings().fileSizeMax, 500);
}

TEST_F(ProgramActionsTest, NoSettingsFileGivesTheDefaults) {
    form.load("");
    EXPECT_EQ(form.currentSettings(), (Settings{500, true, false, false}));
    EXPECT_FALSE(fs::exists(settingsFile)) << "reading never writes";
}

TEST_F(ProgramActionsTest, SettingsCommandTakesTheDialogsValuesAndWritesTheFile) {
    form.load("");
    user.typed = "4096";
    form.commandMouseDown(CommandId::Settings, MouseButton::Left);
    form.commandMouseUp(CommandId::Settings, MouseButton::Left);
    EXPECT_EQ(form.settings().fileSizeMax, 4096);
    EXPECT_TRUE(form.settings().fileNameAuto);
    EXPECT_NE(fileText().find("<GENERAL_FILESIZE_MAX>4096</GENERAL_FILESIZE_MAX>\r\n"), std::string::npos);
    EXPECT_NE(fileText().find("<GENERAL_FILENAME_AUTO>1</GENERAL_FILENAME_AUTO>\r\n"), std::string::npos);
}

TEST_F(ProgramActionsTest, ARefusedSizeChangesNothing) {
    writeSettings("700", "0");
    form.load("");
    const std::string before = fileText();
    user.typed = "zwei";  // refused: the dialog stays open, and the user then leaves it
    actions.settings(form);
    EXPECT_EQ(form.settings().fileSizeMax, 700);
    EXPECT_EQ(fileText(), before);
}

}  // namespace
}  // namespace plenvik
