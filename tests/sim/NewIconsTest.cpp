// Removing new icons: only what went is reported as gone.
#include "restore/NewIcons.h"

#include <gtest/gtest.h>

#include "desktop/DesktopSystemIcons.h"
#include "errors/Procedure.h"
#include "restore/RestoreCounters.h"
#include "support/IconRestoreFixture.h"
#include "ui/Protocol.h"

namespace plenvik {
namespace {

class NewIconsTest : public test::IconRestoreFixture {};

TEST_F(NewIconsTest, ARemovalThatFailsIsNeitherCountedNorLoggedAsDone) {
    for (const DesktopSystemIcon& icon : kDesktopSystemIcons)  // only the file is on the desktop
        for (const char* which : {"\\ClassicStartMenu", "\\NewStartPanel"})
            sim.registry.setRawValue(std::string(kHideDesktopIconsKey) + which, std::string(icon.clsid), 4, {1, 0, 0, 0});
    write(at(kUser, "Neu.bin"), "meins");
    desktop.refresh();
    desktop.settle();
    readCurrentIcons(form.currentDesktop(), desktop, errors);
    const std::size_t count = form.currentDesktop().iconCount();

    Procedure procedure(errors, "frmMain.fc_DesktopIconsLoadFromFile");
    RunContext context = form.runContext();
    RestoreRun run{context, project, form.currentDesktop(), procedure, false, false, {}};
    form.startProtocol("Test");
    procedure.run([&] {
        ASSERT_TRUE(findNewIcons(run));
        ASSERT_EQ(run.counters.fresh, 1);
        files.readOnlyFolder = kUser;  // the recycle bin refuses the file
        errors.answers.push_back(1);   // the user goes on with the next statement
        removeNewIcons(run);
    });
    EXPECT_EQ(run.counters.deleted, 0);
    EXPECT_EQ(read(at(kUser, "Neu.bin")), "meins");
    const ListModel& protocol = form.protocol()->list();
    for (int r = 0; r < protocol.size(); ++r)
        EXPECT_EQ(protocol.row(r).sub(2).find("gelöscht"), std::string::npos) << protocol.row(r).sub(2);
    const int row = form.lists.projectIcons.find("ICON" + std::to_string(count) + "NEW");
    ASSERT_GE(row, 0);
    EXPECT_EQ(form.lists.projectIcons.row(row).sub(IconColumn::Message), "") << "not marked as removed";
    ASSERT_EQ(errors.reports.size(), 1u);
}

TEST_F(NewIconsTest, WhatTheRecycleBinWouldNotKeepGoesForGoodOnlyWhenTheUserSaysSo) {
    for (const DesktopSystemIcon& icon : kDesktopSystemIcons)  // only the file and the folder are on the desktop
        for (const char* which : {"\\ClassicStartMenu", "\\NewStartPanel"})
            sim.registry.setRawValue(std::string(kHideDesktopIconsKey) + which, std::string(icon.clsid), 4, {1, 0, 0, 0});
    write(at(kUser, "Neu.bin"), "meins");
    std::filesystem::create_directories(native(at(kUser, "Neuer Ordner")));
    write(at(kUser, "Neuer Ordner\\drin.txt"), "auch meins");
    desktop.refresh();
    desktop.settle();
    readCurrentIcons(form.currentDesktop(), desktop, errors);

    Procedure procedure(errors, "frmMain.fc_DesktopIconsLoadFromFile");
    RunContext context = form.runContext();
    RestoreRun run{context, project, form.currentDesktop(), procedure, false, false, {}};
    form.startProtocol("Test");
    const std::size_t asked = sim.dialogs.asked.size();
    procedure.run([&] {
        ASSERT_TRUE(findNewIcons(run));
        ASSERT_EQ(run.counters.fresh, 2);
        sim.files.unrecyclableFolder = kUser;  // a desktop on a network share
        sim.dialogs.answerMessage(MsgAnswer::No);
        sim.dialogs.answerMessage(MsgAnswer::Yes);
        removeNewIcons(run);
    });
    ASSERT_EQ(sim.dialogs.asked.size(), asked + 2);
    const auto pathAsked = [&](std::size_t i) {
        const std::string& text = sim.dialogs.asked[asked + i].text;
        EXPECT_TRUE(sim.dialogs.asked[asked + i].secondButtonDefault);
        EXPECT_EQ(text.substr(text.find("' kann")), "' kann nicht in den Papierkorb verschoben werden. Endgültig löschen?");
        return text.substr(1, text.find("' kann") - 1);
    };
    const std::string kept = pathAsked(0), deleted = pathAsked(1);
    EXPECT_TRUE(std::filesystem::exists(native(kept))) << kept;
    EXPECT_FALSE(std::filesystem::exists(native(deleted))) << deleted;
    EXPECT_FALSE(std::filesystem::exists(sim.files.recycleFolder()));
    EXPECT_EQ(run.counters.deleted, 1);
    const ListModel& protocol = form.protocol()->list();
    std::string lines;
    for (int r = 0; r < protocol.size(); ++r) lines += protocol.row(r).sub(2) + "\n";
    EXPECT_NE(lines.find("'" + kept + "' kann nicht in den Papierkorb verschoben werden, nicht gelöscht."), std::string::npos) << lines;
    EXPECT_NE(lines.find("'" + deleted + "' endgültig gelöscht"), std::string::npos) << lines;
    EXPECT_TRUE(errors.reports.empty());
}

}  // namespace
}  // namespace plenvik
