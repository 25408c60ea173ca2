#include "app/MainController.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/sim/SimPlatform.h"
#include "support/RecordingMainView.h"
#include "support/ScratchRoot.h"
#include "support/ScriptedErrorHandler.h"
#include "ui/Protocol.h"

namespace plenvik {
namespace {

// Records what the commands started; each action may run a hook (a save that lets events run...).
class FakeActions : public MainActions {
public:
    std::vector<std::string> calls;
    std::function<void(MainController&)> onSave, onRestore;
    bool searchSucceeds = true;
    Settings settingsFile;

    Settings readSettings(MainController&) override { return settingsFile; }
    bool projectSearch(MainController&, std::string& directory, const std::string& onlyFile) override {
        calls.push_back("search " + directory + " | " + onlyFile);
        return searchSucceeds;
    }
    void save(MainController& f) override {
        calls.push_back("save");
        if (onSave) onSave(f);
    }
    void restore(MainController& f, bool analyseOnly, bool adapt) override {
        calls.push_back(std::string("restore ") + (analyseOnly ? "analyse" : "full") + (adapt ? " adapt" : " keep"));
        if (onRestore) onRestore(f);
    }
    void desktopSettings(MainController&) override { calls.push_back("desktopSettings"); }
    void settings(MainController&) override { calls.push_back("settings"); }
    void chooseDirectory(MainController&) override { calls.push_back("chooseDirectory"); }
    void deleteProject(MainController&) override { calls.push_back("deleteProject"); }
    void iconMenu(MainController&, int index) override { calls.push_back("icon " + std::to_string(index)); }
    void projectListMouseUp(MainController&, MouseButton button, int row) override {
        calls.push_back("projects mouse " + std::to_string(static_cast<int>(button)) + " " + std::to_string(row));
    }
    void projectListKeyUp(MainController&, int key) override { calls.push_back("projects key " + std::to_string(key)); }
    void showProject(MainController&, const std::string& fileName) override { calls.push_back("show " + fileName); }
};

class MainControllerTest : public ::testing::Test {
protected:
    test::ScratchRoot scratch;
    sim::SimPlatform sim{scratch.path()};
    test::ScriptedErrorHandler errors;
    FakeActions actions;
    test::RecordingMainView view;
    MainController form{sim.platform(), errors, actions};

    void SetUp() override {
        view.form = &form;
        form.setView(&view);
    }
    void start(const char* commandLine) {
        form.load(commandLine);
        form.timerFired();
    }
    void click(CommandId id) {
        form.commandMouseDown(id, MouseButton::Left);
        form.commandMouseUp(id, MouseButton::Left);
    }
    std::string cancelQuestionText(const char* action) {
        return std::string("Achtung, möchten Sie die laufende Aktion:\r\n\r\n") + action + "\r\n\r\n                    abbrechen?";
    }
};

TEST_F(MainControllerTest, LoadBuildsTheListsAndTakesTheProgramFolder) {
    form.load("");
    ASSERT_EQ(form.lists.projects.columns().size(), 17u);
    EXPECT_EQ(form.lists.projects.columns()[16].header, "Datum/Zeit Sortierung");
    EXPECT_EQ(form.lists.projects.columns()[3].widthTwips, 1700);
    ASSERT_EQ(form.lists.projectData.columns().size(), 14u);
    EXPECT_EQ(form.lists.projectData.columns()[13].header, "Top");
    ASSERT_EQ(form.lists.projectIcons.columns().size(), 8u);
    EXPECT_EQ(form.lists.projectIcons.columns()[5].header, "Status");
    EXPECT_EQ(form.directory(), sim.system.folder);
    EXPECT_EQ(form.directoryTag(), sim.system.folder);
    EXPECT_EQ(form.program().webAddress, std::string(kMakerWebAddress) + "?SOFTWARE=Plenvik");
    EXPECT_FALSE(form.command(CommandId::Protokoll).enabled);
    EXPECT_TRUE(form.timerEnabled());
}

TEST_F(MainControllerTest, SizeLimitBelowOneBecomes500) {
    actions.settingsFile = {0, false, true, true};
    form.load("");
    EXPECT_EQ(form.settings().fileSizeMax, 500);
    EXPECT_FALSE(form.settings().fileSave);
    EXPECT_TRUE(form.settings().fileNameAuto);
}

TEST_F(MainControllerTest, SaveCommandSavesOnceAndEndsTheProgram) {
    start("SAVE 64");
    EXPECT_EQ(actions.calls, std::vector<std::string>{"save"});
    EXPECT_EQ(form.program().diagnosticFlags, 64);
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(form.ended());
    EXPECT_FALSE(form.timerEnabled());
    form.timerFired();  // the timer fires once only
    EXPECT_EQ(actions.calls.size(), 1u);
}

TEST_F(MainControllerTest, LowerCaseSaveIsANormalStart) {
    start("save");
    ASSERT_EQ(actions.calls.size(), 1u);
    EXPECT_EQ(actions.calls[0], "search " + sim.system.folder + " | ");
    EXPECT_EQ(form.program().diagnosticFlags, 0);
    EXPECT_FALSE(view.closed);
    EXPECT_FALSE(form.command(CommandId::DesktopRestore).enabled);
    EXPECT_EQ(form.lists.projects.find("LOAD"), 0);  // the fake search leaves the placeholder
    EXPECT_EQ(form.lists.projects.row(0).text, "(laden...)");
}

TEST_F(MainControllerTest, RestoreCommandListsTheOneFileRestoresAndEnds) {
    start("RESTORE \"Plenvik SIMPC tester 261206072546.Plenvk\"");
    const std::vector<std::string> expected = {"search " + sim.system.folder + " | Plenvik SIMPC tester 261206072546.Plenvk",
                                               "restore full adapt"};
    EXPECT_EQ(actions.calls, expected);
    EXPECT_TRUE(view.closed);
}

TEST_F(MainControllerTest, RestoreCommandAcceptsAPathWithAFolder) {
    start("RESTORE \"D:\\Sicherungen\\mein desktop.Plenvk\"");
    ASSERT_FALSE(actions.calls.empty());
    EXPECT_EQ(actions.calls[0], "search D:\\Sicherungen\\ | mein desktop.Plenvk");
}

TEST_F(MainControllerTest, RestoreThatEndsRedKeepsTheWindowOpen) {
    actions.onRestore = [](MainController& f) { f.setInfoColor(kColorRed); };
    start("RESTORE \"x.Plenvk\"");
    EXPECT_EQ(form.commandWord, "RESTOREERR");
    EXPECT_FALSE(view.closed);
}

TEST_F(MainControllerTest, RestoreWithoutParserRestoresNothingAndEnds) {
    actions.searchSucceeds = false;
    start("RESTORE \"x.Plenvk\"");
    EXPECT_EQ(actions.calls.size(), 1u);
    EXPECT_TRUE(view.closed);
}

TEST_F(MainControllerTest, AProjectFileOnTheCommandLineIsShownFromItsFolderAndTheWindowStays) {
    const std::filesystem::path file = sim.files.nativePath("D:\\Sicherungen\\mein desktop.Plenvk");
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "<DESKTOP/>";
    start("\"D:\\Sicherungen\\mein desktop.Plenvk\"");
    const std::vector<std::string> expected = {"search D:\\Sicherungen | ", "show mein desktop.Plenvk"};
    EXPECT_EQ(actions.calls, expected);
    EXPECT_EQ(form.directory(), "D:\\Sicherungen");
    EXPECT_EQ(form.directoryTag(), "D:\\Sicherungen");
    EXPECT_TRUE(sim.dialogs.asked.empty());
    EXPECT_FALSE(view.closed);
}

TEST_F(MainControllerTest, AMissingProjectFileIsReportedAndTheProgramStartsInItsFolder) {
    sim.dialogs.answerMessage(MsgAnswer::Ok);
    start("\"D:\\fehlt\\x.Plenvk\"");
    ASSERT_EQ(sim.dialogs.asked.size(), 1u);
    EXPECT_EQ(sim.dialogs.asked[0].text, "Die Projektdatei wurde nicht gefunden:\r\n\r\nD:\\fehlt\\x.Plenvk");
    EXPECT_EQ(sim.dialogs.asked[0].icon, MsgIcon::Exclamation);
    const std::vector<std::string> expected = {"search " + sim.system.folder + " | "};
    EXPECT_EQ(actions.calls, expected);
    EXPECT_FALSE(view.closed);
}

TEST_F(MainControllerTest, CommandLabelRunsItsActionWithTheRunProtocol) {
    form.load("");
    std::string tagDuringRun, captionDuringRun;
    actions.onSave = [&](MainController& f) {
        tagDuringRun = f.command(CommandId::ProjectSave).tag;
        captionDuringRun = f.command(CommandId::ProjectSave).caption;
    };
    form.commandMouseDown(CommandId::ProjectSave, MouseButton::Left);
    EXPECT_EQ(form.command(CommandId::ProjectSave).tag, "DOWN");
    EXPECT_TRUE(form.command(CommandId::ProjectSave).pressedLook);
    form.commandMouseUp(CommandId::ProjectSave, MouseButton::Left);
    EXPECT_EQ(tagDuringRun, "RUN");
    EXPECT_EQ(captionDuringRun, "Aktion abbrechen...");
    const CommandLabel& after = form.command(CommandId::ProjectSave);
    EXPECT_EQ(after.tag, "");
    EXPECT_EQ(after.caption, "Desktop Projekt erstellen/speichern");
    EXPECT_FALSE(after.pressedLook);
    // A release without a press, or with the right button, does nothing.
    form.commandMouseUp(CommandId::ProjectSave, MouseButton::Left);
    form.commandMouseDown(CommandId::ProjectSave, MouseButton::Right);
    form.commandMouseUp(CommandId::ProjectSave, MouseButton::Right);
    EXPECT_EQ(actions.calls, std::vector<std::string>{"save"});
}

TEST_F(MainControllerTest, SecondClickOnARunningSaveAsksAndYesCancels) {
    form.load("");
    bool cancelSeen = false;
    actions.onSave = [&](MainController& f) {
        // The save lets events run; the user clicks the running button meanwhile.
        sim.events.at(1, [&] { click(CommandId::ProjectSave); });
        f.platform().events.pump();
        cancelSeen = f.program().cancel;
    };
    sim.dialogs.answerMessage(MsgAnswer::Yes);
    click(CommandId::ProjectSave);
    EXPECT_TRUE(cancelSeen);
    ASSERT_EQ(sim.dialogs.asked.size(), 1u);
    EXPECT_EQ(sim.dialogs.asked[0].title, " Aktion abbrechen...");
    EXPECT_EQ(sim.dialogs.asked[0].text, cancelQuestionText("'Desktop Projekt erstellen/speichern'"));
    EXPECT_EQ(sim.dialogs.asked[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(sim.dialogs.asked[0].icon, MsgIcon::Critical);
    EXPECT_EQ(actions.calls, std::vector<std::string>{"save"});  // the click did not start a second save
}

TEST_F(MainControllerTest, AnsweringNoLetsTheRunContinue) {
    form.load("");
    bool cancelSeen = true;
    actions.onRestore = [&](MainController& f) {
        sim.events.at(1, [&] { click(CommandId::DesktopRestore); });
        f.platform().events.pump();
        cancelSeen = f.program().cancel;
    };
    sim.dialogs.answerMessage(MsgAnswer::No);
    click(CommandId::DesktopRestore);
    EXPECT_FALSE(cancelSeen);
    EXPECT_EQ(sim.dialogs.asked.at(0).text, cancelQuestionText("'Desktop Symbole aus Projektdatei herstellen'"));
}

TEST_F(MainControllerTest, OtherCommandsWaitWhileALongActionRuns) {
    form.load("");
    actions.onSave = [&](MainController& f) {
        sim.events.at(1, [&] {
            click(CommandId::Settings);
            click(CommandId::Close);
            click(CommandId::DesktopRestore);
            form.menuClick(MenuId::Project, 2);
        });
        f.platform().events.pump();
    };
    click(CommandId::ProjectSave);
    EXPECT_EQ(actions.calls, std::vector<std::string>{"save"});
    EXPECT_FALSE(view.closed);
}

TEST_F(MainControllerTest, ClosingDuringASaveAsksAndClosesWhenTheSaveHasEnded) {
    form.load("");
    bool closedDuringSave = true;
    actions.onSave = [&](MainController& f) {
        sim.events.at(1, [&] { EXPECT_FALSE(form.requestClose()); });
        f.platform().events.pump();
        closedDuringSave = view.closed;
    };
    sim.dialogs.answerMessage(MsgAnswer::Yes);
    click(CommandId::ProjectSave);
    EXPECT_FALSE(closedDuringSave);
    EXPECT_TRUE(form.program().cancel);
    EXPECT_TRUE(view.closed);
}

TEST_F(MainControllerTest, MenusCallTheirActions) {
    form.load("");
    form.menuClick(MenuId::Project, 1);
    form.menuClick(MenuId::Project, 3);
    form.menuClick(MenuId::Project, 5);  // the separator
    form.menuClick(MenuId::Project, 6);
    form.menuClick(MenuId::Project, 7);
    form.menuClick(MenuId::Icon, 5);
    form.menuClick(MenuId::Help, 1);  // no action
    form.menuClick(MenuId::Help, 3);
    form.menuClick(MenuId::Help, 4);
    const std::vector<std::string> expected = {"restore analyse adapt", "restore full keep", "save", "deleteProject", "icon 5"};
    EXPECT_EQ(actions.calls, expected);
    EXPECT_EQ(view.aboutShown, 1);
    ASSERT_EQ(sim.processes.started.size(), 1u);
    EXPECT_EQ(sim.processes.started[0].arguments, form.program().webAddress);
    form.imgMainClick();
    EXPECT_EQ(view.popups, std::vector<MenuId>{MenuId::Help});
    EXPECT_EQ(form.menu(MenuId::Project).item(2)->caption, "&Desktop aus Projektdatei wieder herstellen");
}

TEST_F(MainControllerTest, ProtocolRunsThroughTheMainWindow) {
    form.load("");
    EXPECT_EQ(form.protocol(), nullptr);
    form.startProtocol("Desktop Sicherung erstellen...");
    ASSERT_NE(form.protocol(), nullptr);
    EXPECT_TRUE(view.protocolWindowCreated);
    EXPECT_TRUE(form.command(CommandId::Protokoll).enabled);
    form.addToProtocol("Monitore ermitteln...");
    form.closeProtocol("Desktop Sicherung erfolgreich erstellt: 'a.Plenvk'");
    EXPECT_EQ(form.command(CommandId::Protokoll).foreColor, kColorRgbBlue);
    EXPECT_EQ(form.protocol()->list().size(), 5);
    click(CommandId::Protokoll);
    EXPECT_EQ(view.protocolShown, 1);
    form.endProgram();
    EXPECT_EQ(form.protocol(), nullptr);
    EXPECT_TRUE(view.closed);
}

TEST_F(MainControllerTest, LayoutFollowsTheResizeRules) {
    MainLayout& l = form.layout();
    l.resize(15000, 10000);
    EXPECT_EQ(l.rect("fraMain").width, 15000);
    EXPECT_EQ(l.rect("lvwProjectIcons").width, 15000 - 375);
    const ControlRect buttons = l.rect("fraButtons");
    EXPECT_EQ(buttons.top, 10000 - buttons.height + 30);
    EXPECT_EQ(l.rect("fraMain").height, buttons.top - 400);
    EXPECT_EQ(l.rect("lvwProjectIcons").height, l.rect("fraMain").height - 5000);
    EXPECT_EQ(l.rect("lblInfo").top, l.rect("lvwProjectIcons").bottom() + 15);
    l.resize(1900, 6000);  // too small: nothing changes
    EXPECT_EQ(l.rect("fraMain").width, 15000);
    EXPECT_EQ(l.rect("fraButtons").top, buttons.top);
}

}  // namespace
}  // namespace plenvik

namespace plenvik {
namespace {

TEST_F(MainControllerTest, DirectoryBoxSearchesOnEnterAndOnLeavingOnlyWhenChanged) {
    form.load("");
    form.directoryEntered("C:\\Sicherung");
    form.directoryLeft("C:\\Sicherung");  // the tag already matches
    form.directoryLeft("C:\\Andere");
    const std::vector<std::string> expected = {"search C:\\Sicherung | ", "search C:\\Andere | "};
    EXPECT_EQ(actions.calls, expected);
    EXPECT_EQ(form.directoryTag(), "C:\\Andere");
}

TEST_F(MainControllerTest, ALabelReleasedOutsideIsNotPressedAndMenuItemSixStillSaves) {
    form.load("");
    for (const CommandId id : {CommandId::ProjectSave, CommandId::Settings}) {
        form.commandMouseDown(id, MouseButton::Left);
        form.commandReleasedOutside(id);
        EXPECT_EQ(form.command(id).tag, "");
        EXPECT_FALSE(form.command(id).pressedLook);
    }
    form.menuClick(MenuId::Project, 6);
    EXPECT_EQ(actions.calls, std::vector<std::string>{"save"});
    actions.onSave = [&](MainController&) { form.commandReleasedOutside(CommandId::ProjectSave); };
    click(CommandId::ProjectSave);
    EXPECT_EQ(form.command(CommandId::ProjectSave).tag, "") << "the run ends as it began";
}

TEST_F(MainControllerTest, ADeselectedProjectRowIsNoLongerSelectedUnlessARowIsBeingShown) {
    form.load("");
    form.lists.projects.add("a.Plenvk", "a", "DESY");
    form.lists.projects.add("b.Plenvk", "b", "DESY");
    form.lists.projects.select(1);
    form.projectListTag = "RUNNING";
    form.projectListDeselected();
    EXPECT_EQ(form.lists.projects.selectedIndex(), 1) << "the row being shown keeps its selection";
    form.projectListTag.clear();
    form.projectListDeselected();
    EXPECT_EQ(form.lists.projects.selectedIndex(), -1);
    EXPECT_EQ(form.lists.projects.selectedRow(), nullptr);
}

TEST_F(MainControllerTest, TheDirectoryBoxKeepsItsTextDuringASaveAndSearchesWhenTheSaveHasEnded) {
    form.load("");
    actions.onSave = [&](MainController& f) {
        sim.events.at(1, [&] {
            form.directoryEntered("C:\\Neu");
            form.directoryLeft("C:\\Neu");
        });
        f.platform().events.pump();
        EXPECT_EQ(form.directory(), "C:\\Neu");
        EXPECT_EQ(actions.calls, std::vector<std::string>{"save"}) << "no search while the save runs";
    };
    click(CommandId::ProjectSave);
    const std::vector<std::string> expected = {"save", "search C:\\Neu | "};
    EXPECT_EQ(actions.calls, expected);
    EXPECT_EQ(form.directoryTag(), "C:\\Neu");
}

TEST_F(MainControllerTest, TheProgressBarLiesInsideItsBox) {
    form.load("");
    form.startProgress(10);
    const ProgressBarInit& bar = form.progressBar()->settings();
    const ControlRect& box = form.layout().rect("picProgressBar");
    EXPECT_GE(bar.p_LngLeft, 0);
    EXPECT_LE(bar.p_LngLeft + bar.p_LngWidth, box.width);
    EXPECT_LE(bar.p_LngTop + bar.p_LngHeight, box.height);
    form.endProgress();
}

}  // namespace
}  // namespace plenvik
