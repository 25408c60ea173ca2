#include "app/MainActions.h"
#include "app/MainView.h"
#include "app/MainController.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

namespace plenvik {
namespace {

void tellUnavailable(MainController& form) {
    MessageBoxRequest q;
    q.title = "Plenvik";
    q.text = UnavailableActions::kNotAvailableText;
    q.icon = MsgIcon::Information;
    form.platform().dialogs.messageBox(q);
}

}  // namespace

Settings UnavailableActions::readSettings(MainController&) { return {}; }

bool UnavailableActions::projectSearch(MainController& form, std::string& directory, const std::string&) {
    // Without the project list the search only takes the placeholder away.
    if (!directory.empty() && directory.back() != '\\') directory += '\\';
    form.lists.projects.clear();
    form.lists.clearProjectData();
    return true;
}

void UnavailableActions::save(MainController& form) { tellUnavailable(form); }
void UnavailableActions::restore(MainController& form, bool, bool) { tellUnavailable(form); }
void UnavailableActions::desktopSettings(MainController& form) { tellUnavailable(form); }
void UnavailableActions::settings(MainController& form) { tellUnavailable(form); }
void UnavailableActions::chooseDirectory(MainController& form) { tellUnavailable(form); }
void UnavailableActions::deleteProject(MainController& form) { tellUnavailable(form); }
void UnavailableActions::iconMenu(MainController& form, int) { tellUnavailable(form); }

void UnavailableActions::projectListMouseUp(MainController& form, MouseButton button, int) {
    if (button == MouseButton::Right && form.view()) form.view()->popupMenu(MenuId::Project);
}

void UnavailableActions::projectListKeyUp(MainController&, int) {}

void UnavailableActions::showProject(MainController&, const std::string&) {}

}  // namespace plenvik
