#include "restore/IconListHandlers.h"

#include "app/frmMain.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

namespace plenvik {
namespace {

constexpr std::size_t kErrInfoColumn = 7;

}  // namespace

bool lvwProjectIcons_MouseUp(const frmMain& form, MouseButton button) {
    if (button != MouseButton::Right) return false;
    const ListRow* row = form.lvwProjectIcons.selectedRow();
    return row && row->key.size() > 4 && row->key.compare(0, 4, "ICON") == 0;
}

void lvwProjectIcons_DblClick(frmMain& form) {
    const ListRow* row = form.lvwProjectIcons.selectedRow();
    if (!row || row->sub(kErrInfoColumn).empty()) return;
    form.platform().dialogs.messageBox(
        {"Meldung: \r\n\r\n" + row->sub(kErrInfoColumn), "Meldung...", MsgButtons::Ok, MsgIcon::Exclamation});
}

}  // namespace plenvik
