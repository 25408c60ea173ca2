#include "app/MainActions.h"
#include "app/MainView.h"
#include "app/frmMain.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

namespace plenvik {
namespace {

void tellUnavailable(frmMain& form) {
    MessageBoxRequest q;
    q.title = "Plenvik";
    q.text = UnavailableActions::kNotAvailableText;
    q.icon = MsgIcon::Information;
    form.platform().dialogs.messageBox(q);
}

}  // namespace

Settings UnavailableActions::readSettings(frmMain&) { return {}; }

bool UnavailableActions::projectSearch(frmMain& form, std::string& directory, const std::string&) {
    // Without the project list the search only takes the placeholder away.
    if (!directory.empty() && directory.back() != '\\') directory += '\\';
    form.lists.projects.clear();
    form.lists.clearProjectData();
    return true;
}

void UnavailableActions::save(frmMain& form) { tellUnavailable(form); }
void UnavailableActions::restore(frmMain& form, bool, bool) { tellUnavailable(form); }
void UnavailableActions::desktopSettings(frmMain& form) { tellUnavailable(form); }
void UnavailableActions::settings(frmMain& form) { tellUnavailable(form); }
void UnavailableActions::chooseDirectory(frmMain& form) { tellUnavailable(form); }
void UnavailableActions::deleteProject(frmMain& form) { tellUnavailable(form); }
void UnavailableActions::iconMenu(frmMain& form, int) { tellUnavailable(form); }

void UnavailableActions::projectListMouseUp(frmMain& form, MouseButton button, int) {
    if (button == MouseButton::Right && form.view()) form.view()->popupMenu(MenuId::Project);
}

void UnavailableActions::projectListKeyUp(frmMain&, int) {}

void UnavailableActions::showProject(frmMain&, const std::string&) {}

}  // namespace plenvik
