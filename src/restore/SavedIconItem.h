// Which item of the current desktop a saved icon is, where the folder view names its items: the saved
// file in its desktop folder, or the system icon's class. Labels are no proof: the desktop hides the
// extensions of known types, and two files may show one label.
#pragma once

#include <string>
#include <vector>

#include "project/DesktopIcon.h"

namespace plenvik {

class ShellFolders;

// The names the folder view may give the saved icon's item: its file in its own desktop folder (and,
// for an all-users icon, in the user's, where a restore may have put it), or "::{CLSID}". Empty for an
// icon without file or class.
std::vector<std::string> parsingNamesOf(ShellFolders& shell, const DesktopIcon& saved);

// Whether the current icon is the item one of names names (case does not count).
bool isNamedItem(const DesktopIcon& current, const std::vector<std::string>& names);

// Whether the current table was read through the folder view (its items carry names).
bool itemsAreNamed(const std::vector<DesktopIcon>& current);

}  // namespace plenvik
