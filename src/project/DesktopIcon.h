// One desktop icon as it is read from the desktop, saved into a project file, loaded back and restored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plenvik {

// What lies behind an icon (FileType). A system icon of the shell carries its class identifier in
// braces instead ("{20D04FE0-3AEA-1069-A2D8-08002B30309D}"); an empty code means nothing was found.
inline constexpr std::string_view kFileTypeFile = "FILE";
inline constexpr std::string_view kFileTypeFolder = "FOLDER";
inline constexpr std::string_view kFileTypeLink = "LINK";  // a link without a classified target (older files)
inline constexpr std::string_view kFileTypeFileLink = "FILELINK";
inline constexpr std::string_view kFileTypeFolderLink = "FOLDERLINK";
inline constexpr std::string_view kFileTypeInternetLink = "INTERNETLINK";
inline constexpr std::string_view kFileTypeErrLink = "ERRLINK";

// Picture keys of the icon lists beside the type codes; never stored as a FileType.
inline constexpr std::string_view kPictureIconSys = "ICONSYS";
inline constexpr std::string_view kPictureFileTooBig = "FILETOBIG";

// Which desktop folder holds the file (FileShellFolderType): the shell's special-folder identifiers.
inline constexpr std::int32_t kFolderUserDesktop = 16;
inline constexpr std::int32_t kFolderCommonDesktop = 25;
inline constexpr std::int32_t kFolderNone = 0;  // no file: a system icon

// Why FileData_BASE64 is empty (FileReasonNotLoaded).
inline constexpr std::int32_t kReasonLoaded = 0;         // loaded, or nothing to load
inline constexpr std::int32_t kReasonTooBig = 1;         // larger than the size limit
inline constexpr std::int32_t kReasonTargetMissing = 2;  // the link's target was not found (ERRLINK)
inline constexpr std::int32_t kReasonNoPermission = 3;   // the file could not be opened for reading

struct DesktopIcon {
    // Current desktop: 1-based position in the desktop list view when read. Loaded: the icon's Nr.
    std::int32_t PosOrder = 0;
    std::string Name;
    std::int32_t PosX = 0;
    std::int32_t PosY = 0;
    // Set by the restore run once a saved icon has been paired with this current one; never saved.
    bool Matched = false;
    // Key of the icon's row in the project icon list, set when the row is made from a project file.
    std::string ListKey;
    // Current desktop: what the shell's folder view calls the item (its path, or "::{CLSID}"); empty
    // where the desktop was read through the list view. Never saved.
    std::string ParsingName;
    std::string FileName;  // name and extension, no path; empty for system icons
    // For a link whose target was not found: the target path the link names (for messages).
    std::string LinkTarget;
    std::string FileType;
    std::int32_t FileShellFolderType = kFolderNone;
    std::int32_t FileReasonNotLoaded = kReasonLoaded;
    std::string FileData_BASE64;
    // A loaded icon whose Base64 text stays in the project file: where that text lies there (bytes
    // from the file's start). ContentLength 0: the text, if any, is in FileData_BASE64.
    std::uint64_t ContentOffset = 0;
    std::uint64_t ContentLength = 0;
    // The file whose bytes the save streams into FileData_BASE64 when it writes the project (the save
    // keeps no file contents in memory); empty when the contents are in FileData_BASE64 or not wanted.
    std::string ContentPath;

    bool operator==(const DesktopIcon&) const = default;
};

// A system icon has no file: its type is empty or a class identifier.
inline bool isSystemIconType(std::string_view fileType) { return fileType.empty() || fileType.front() == '{'; }

// The picture an icon row shows: ICONSYS for a system icon (whatever its reason), FILETOBIG for a
// file that was too large to load, else the type code itself.
inline std::string iconPictureKey(const DesktopIcon& icon) {
    if (isSystemIconType(icon.FileType)) return std::string(kPictureIconSys);
    if (icon.FileReasonNotLoaded == kReasonTooBig) return std::string(kPictureFileTooBig);
    return icon.FileType;
}

// How the icon lists name the folder code.
inline std::string_view desktopFolderText(std::int32_t fileShellFolderType) {
    switch (fileShellFolderType) {
    case kFolderUserDesktop: return "Desktop 'Angemeldeter Benutzer'";
    case kFolderCommonDesktop: return "Desktop 'Alle Benutzer'";
    default: return "System";
    }
}

}  // namespace plenvik
