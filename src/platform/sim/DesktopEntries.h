// What the shell shows on the desktop: the entries of the user's and the all-users desktop folder and
// the visible system icons, each with the label the shell gives it.
#pragma once

#include <string>
#include <vector>

#include "desktop/DesktopLabels.h"

namespace plenvik {

class FileSystem;
class Registry;

inline constexpr int kDesktopFolderUser = 16, kDesktopFolderCommon = 25, kDesktopFolderNone = 0;

struct DesktopEntry {
    // Identifies the entry across re-reads: folder code and file name (case folded), or the class
    // identifier of a system icon.
    std::string key;
    std::string label;
    int folder = kDesktopFolderNone;
    // What the shell's folder view calls the item: the full path of a file or folder, or "::{CLSID}"
    // for a system icon.
    std::string parsingName;

    bool operator==(const DesktopEntry&) const = default;
};

struct DesktopFolders {
    std::string user;    // "C:\Users\x\Desktop", no trailing backslash
    std::string common;  // "C:\Users\Public\Desktop"
};

// The system icons the registry leaves visible, in table order, with the user's label where one is set.
std::vector<DesktopEntry> visibleSystemIcons(Registry& registry);

// System icons first (none without a registry), then the files and folders of both desktop folders in
// label order; hidden and system files are left out, as the shell leaves them out. Labels follow the
// registry's HideFileExt (hidden without a registry) and knownType (no type is known without one).
std::vector<DesktopEntry> readDesktopEntries(FileSystem& files, Registry* registry, const DesktopFolders& folders,
                                             const KnownFileType& knownType = {});

}  // namespace plenvik
