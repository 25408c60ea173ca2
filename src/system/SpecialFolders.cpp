#include "system/SpecialFolders.h"

#include "common/Text.h"
#include "errors/RuntimeError.h"

namespace plenvik {

std::string specialFolderPath(ShellFolders& shell, int folderCode) {
    std::string path;
    try {
        path = trimAtNull(shell.specialFolderPath(folderCode));
    } catch (const RuntimeError& e) {
        throw RuntimeError(e.number(), kSpecialFolderErrorSource, kSpecialFolderErrorText);
    }
    // An empty answer is no folder: searching "\" + name would look in the root of the current drive.
    if (path.empty()) throw RuntimeError(kShellFail, kSpecialFolderErrorSource, kSpecialFolderErrorText);
    return path;
}

}  // namespace plenvik
