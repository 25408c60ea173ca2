// Which desktop file stands behind an icon when only its label is known (the list view tells no more).
// The desktop hides the extensions of known file types, so a label may be the file name without its
// extension; where several files could carry one label, or several icons show it, nothing is guessed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace plenvik {

struct DesktopFile {
    std::string folder;  // the desktop folder, with its trailing backslash
    int folderCode = 0;  // 16: the user's desktop, 25: all users'
    FindEntry entry;
};

struct IconFilePairing {
    std::optional<DesktopFile> file;
    // The names of the files that could carry the label when the pairing is ambiguous.
    std::vector<std::string> ambiguous;
};

// Whether the desktop may show this file under label: its name without every ".lnk" and ".url", or - a
// file, not a folder - its name without the last extension. Case does not count.
bool labelFitsFileName(std::string_view label, const FindEntry& entry);
// Only the first rule: the label is the whole name (less ".lnk"/".url").
bool labelIsFileName(std::string_view label, std::string_view fileName);

// Pairs a label with one of the candidates (the files of both desktop folders whose names fit it):
// the one whose whole name is the label, else the one whose name without its extension is. Ambiguous
// when more than one icon shows the label or more than one file fits equally well.
IconFilePairing pairIconWithFile(std::string_view label, int iconsWithThisLabel, const std::vector<DesktopFile>& candidates);

// The desktop folder (user's or all users') that holds parsingName directly, and the file's name in it;
// nullopt when it lies elsewhere. userFolder and commonFolder end with a backslash.
std::optional<DesktopFile> desktopFileOfParsingName(std::string_view parsingName, const std::string& userFolder,
                                                    const std::string& commonFolder);

}  // namespace plenvik
