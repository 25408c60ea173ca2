#include "app/IconListHandlers.h"

#include "app/MainController.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

namespace plenvik {
bool iconListOpensMenu(const MainController& form, MouseButton button) {
    if (button != MouseButton::Right) return false;
    const ListRow* row = form.lists.projectIcons.selectedRow();
    return row && row->key.size() > 4 && row->key.compare(0, 4, "ICON") == 0;
}

void showIconRowMessage(MainController& form) {
    const ListRow* row = form.lists.projectIcons.selectedRow();
    if (!row || row->sub(IconColumn::Message).empty()) return;
    form.platform().dialogs.messageBox(
        {"Meldung: \r\n\r\n" + row->sub(IconColumn::Message), "Meldung...", MsgButtons::Ok, MsgIcon::Exclamation});
}

}  // namespace plenvik
