#include "restore/SavedIconItem.h"

#include "common/Text.h"
#include "system/SpecialFolders.h"

namespace plenvik {

std::vector<std::string> parsingNamesOf(ShellFolders& shell, const DesktopIcon& saved) {
    std::vector<std::string> names;
    if (!saved.FileName.empty() && (saved.FileShellFolderType == kFolderUserDesktop || saved.FileShellFolderType == kFolderCommonDesktop)) {
        for (const std::int32_t folder : {saved.FileShellFolderType, kFolderUserDesktop}) {
            const std::string path = specialFolderPath(shell, folder);
            if (!path.empty()) names.push_back(path + "\\" + saved.FileName);
            if (folder == kFolderUserDesktop) break;
        }
    } else if (!saved.FileType.empty() && saved.FileType.front() == '{') {
        names.push_back("::" + saved.FileType);
    }
    return names;
}

bool isNamedItem(const DesktopIcon& current, const std::vector<std::string>& names) {
    if (current.ParsingName.empty()) return false;
    const std::string folded = foldCase(current.ParsingName);
    for (const std::string& name : names)
        if (foldCase(name) == folded) return true;
    return false;
}

bool itemsAreNamed(const std::vector<DesktopIcon>& current) {
    for (std::size_t j = 1; j < current.size(); ++j)
        if (!current[j].ParsingName.empty()) return true;
    return false;
}

}  // namespace plenvik
