#include "app/MainActions.h"
#include "app/MainController.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "app/ProjectListController.h"
#include "settings/SettingsFile.h"

namespace plenvik {

Settings ProgramActions::readSettings(MainController& form) {
    Platform& p = form.platform();
    Settings settings = form.currentSettings();
    readSettingsFile(settings, p.files, p.system.programFolder(), form.errors(), p.dialogs);
    return settings;
}

void ProgramActions::settings(MainController& form) {
    const SettingsDialogOutcome outcome = showSettingsDialog_(form.currentSettings());
    if (outcome.resultCode != SettingsDialog::kResultSaved) return;
    form.applySettings(outcome.settings);
    Platform& p = form.platform();
    saveSettingsFile(form.currentSettings(), p.files, p.system.programFolder(), form.errors());
}

void ProgramActions::save(MainController& form) {
    std::string directory;
    form.saveDesktop(directory, "", false);
}

bool ProgramActions::projectSearch(MainController& form, std::string& directory, const std::string& onlyFile) {
    return searchProjectFiles(form, directory, onlyFile);
}

void ProgramActions::restore(MainController& form, bool analyseOnly, bool adaptMonitors) {
    form.restoreSelectedProject(analyseOnly, adaptMonitors);
}

void ProgramActions::iconMenu(MainController& form, int index) { form.runIconMenu(index); }

void ProgramActions::desktopSettings(MainController& form) {
    if (!showDesktopDialog_) {
        UnavailableActions::desktopSettings(form);
        return;
    }
    showDesktopSettings(form.platform(), form.errors(), showDesktopDialog_);
}

void ProgramActions::chooseDirectory(MainController& form) { chooseProjectDirectory(form); }

void ProgramActions::deleteProject(MainController& form) { deleteSelectedProject(form); }

void ProgramActions::projectListMouseUp(MainController& form, MouseButton button, int row) {
    plenvik::projectListMouseUp(form, button, row);
}

void ProgramActions::showProject(MainController& form, const std::string& fileName) {
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

void ProgramActions::projectListKeyUp(MainController& form, int keyCode) { plenvik::projectListKeyUp(form, keyCode); }

}  // namespace plenvik
