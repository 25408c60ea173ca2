#include "system/RecycleBin.h"

#include "errors/RuntimeError.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace plenvik {

Removal removeToRecycleBin(FileSystem& files, Dialogs& dialogs, const std::string& path) {
    const std::string full = files.fullPath(path);
    switch (files.recycle(full)) {
    case RecycleResult::Recycled: return Removal::Recycled;
    case RecycleResult::Failed: return Removal::Failed;
    case RecycleResult::NotRecyclable: break;
    }
    MessageBoxRequest q;
    q.title = kAppTitle;
    q.text = "'" + full + "' kann nicht in den Papierkorb verschoben werden. Endgültig löschen?";
    q.buttons = MsgButtons::YesNo;
    q.icon = MsgIcon::Exclamation;
    q.secondButtonDefault = true;
    if (dialogs.messageBox(q) != MsgAnswer::Yes) return Removal::Kept;
    return files.deletePermanently(full) ? Removal::Deleted : Removal::Failed;
}

}  // namespace plenvik
