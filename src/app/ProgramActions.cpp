#include "app/MainActions.h"
#include "app/frmMain.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "app/ProjectListController.h"
#include "settings/SettingsFile.h"

namespace plenvik {

Settings ProgramActions::readSettings(frmMain& form) {
    Platform& p = form.platform();
    Settings settings = form.currentSettings();
    fc_SettingsFileRead(settings, p.files, p.system.programFolder(), form.errors(), p.dialogs);
    return settings;
}

void ProgramActions::settings(frmMain& form) {
    const SettingsDialogOutcome outcome = showSettingsDialog_(form.currentSettings());
    if (outcome.resultCode != frmSettings::kResultSaved) return;
    form.applySettings(outcome.settings);
    Platform& p = form.platform();
    fc_SettingsFileSave(form.currentSettings(), p.files, p.system.programFolder(), form.errors());
}

void ProgramActions::save(frmMain& form) {
    std::string directory;
    form.saveDesktop(directory, "", false);
}

bool ProgramActions::projectSearch(frmMain& form, std::string& directory, const std::string& onlyFile) {
    return searchProjectFiles(form, directory, onlyFile);
}

void ProgramActions::restore(frmMain& form, bool analyseOnly, bool adaptMonitors) {
    form.restoreSelectedProject(analyseOnly, adaptMonitors);
}

void ProgramActions::iconMenu(frmMain& form, int index) { form.runIconMenu(index); }

void ProgramActions::desktopSettings(frmMain& form) {
    if (!showDesktopDialog_) {
        UnavailableActions::desktopSettings(form);
        return;
    }
    showDesktopSettings(form.platform(), form.errors(), showDesktopDialog_);
}

void ProgramActions::chooseDirectory(frmMain& form) { chooseProjectDirectory(form); }

void ProgramActions::deleteProject(frmMain& form) { deleteSelectedProject(form); }

void ProgramActions::projectListMouseUp(frmMain& form, MouseButton button, int row) { plenvik::projectListMouseUp(form, button, row); }

void ProgramActions::showProject(frmMain& form, const std::string& fileName) {
    // Windows names are compared without case: Explorer may pass another spelling than the listing.
    const auto lower = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    for (int r = 0; r < form.lists.projects.size(); ++r) {
        if (lower(form.lists.projects.row(r).key) == lower(fileName)) {
            plenvik::projectListMouseUp(form, MouseButton::Left, r);
            return;
        }
    }
}

void ProgramActions::projectListKeyUp(frmMain& form, int keyCode) { plenvik::projectListKeyUp(form, keyCode); }

}  // namespace plenvik
