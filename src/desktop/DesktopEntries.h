// What the shell shows on the desktop: the entries of the user's and the all-users desktop folder and
// the visible system icons, each with the label the shell gives it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// Whether a file type (its extension with the dot, lower case: ".docx") has a program registered for
// it; only such types lose their extension in labels.
using KnownFileType = std::function<bool(std::string_view extension)>;

// How the shell makes a label from a file name: ".lnk" and ".url" always go; the extension of a known
// type goes too while hideKnownExtensions is set (Explorer's HideFileExt, on by default); a folder keeps
// its whole name.
struct LabelRules {
    bool hideKnownExtensions = true;
    KnownFileType knownType;
};

std::string desktopLabel(std::string_view fileName, bool folder = false, const LabelRules& rules = {});

// The extension of a file name with its dot, lower case; empty when it has none ("a." has none either).
std::string fileExtension(std::string_view fileName);

// Explorer's HideFileExt (HKCU ...\Explorer\Advanced): true unless the user set it to 0.
bool hidesFileExtensions(Registry& registry);

// The system icons the registry leaves visible, in table order, with the user's label where one is set.
std::vector<DesktopEntry> visibleSystemIcons(Registry& registry);

// System icons first (none without a registry), then the files and folders of both desktop folders in
// label order; hidden and system files are left out, as the shell leaves them out. Labels follow the
// registry's HideFileExt (hidden without a registry) and knownType (no type is known without one).
std::vector<DesktopEntry> readDesktopEntries(FileSystem& files, Registry* registry, const DesktopFolders& folders,
                                             const KnownFileType& knownType = {});

}  // namespace plenvik
