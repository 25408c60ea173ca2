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

}  // namespace
}  // namespace plenvik
