// The controller's runs: each is handed the run context and the values it works on.
#include "app/ProjectListController.h"
#include "app/MainController.h"
#include "errors/Procedure.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "project/DesktopSave.h"
#include "restore/DesktopRestore.h"
#include "restore/IconRepair.h"
#include "restore/RestoreCounters.h"

namespace plenvik {

bool MainController::saveDesktop(std::string& directory, const std::string& fileName, bool currentOnly) {
    if (directory.empty()) {
        if (txtDirectoryName_.empty()) setDirectory(platform_.system.programFolder() + "\\", true);
        directory = txtDirectoryName_;
    }
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    // The lower lists show the live desktop from now on, not a project.
    shownProject_.reset();
    RunContext context = runContext();
    return plenvik::saveDesktop(context, current_, directory, fileName, currentOnly);
}

bool MainController::restoreSelectedProject(bool analyseOnly, bool fixMonitors) {
    Procedure proc(errors_, "frmMain.fc_DesktopIconsRestore");
    bool result = true;
    setBusyCursor(true);
    proc.run([&] {
        proc.step([&] {
            const int selected = lists.projects.selectedIndex();
            // Only a project file can be restored; the current desktop's row and error rows have none.
            if (selected < 0 || lists.projects.row(selected).smallIcon != "DESY") return;
            // The project is loaded anew from its file, whatever the window showed before: a run only ever
            // works on the project it restores, and only on one that loaded completely. The run keeps its
            // own reference: events that run meanwhile may show another project.
            const std::shared_ptr<const LoadedProject> project = showSelectedProject(*this);
            if (!project) return;
            RunContext context = runContext();
            if (!analyseOnly) {
                const RestoreConfirmation answer = confirmRestore(context, *project, current_);
                if (answer == RestoreConfirmation::Declined) return;
                if (answer == RestoreConfirmation::Mismatch) {
                    result = false;
                    return;
                }
            }
            restoreDesktop(context, *project, current_, RestoreMode{analyseOnly, fixMonitors});
        });
    });
    setBusyCursor(false);
    return result;
}

void MainController::runIconMenu(int index) {
    const std::shared_ptr<const LoadedProject> project = shownProject_;
    RunContext context = runContext();
    plenvik::runIconMenu(context, project.get(), current_, index);
}

}  // namespace plenvik
