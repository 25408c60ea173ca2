// The project list of the main window: every project file of the project directory plus the current
// desktop, showing the selected row in the lower lists, the list's mouse and keys, deleting a project
// and choosing the project directory.
#pragma once

#include <string>

namespace plenvik {

class frmMain;
enum class MouseButton;

// Fills lvwProjects. The directory gets a trailing backslash. An empty onlyFile lists every project file
// and the "(aktuell)" row; a file name lists just that file.
bool fc_DesktopIconSearchFiles(frmMain& form, std::string& directory, const std::string& onlyFile);

// Shows the selected row in lvwProjectData and lvwProjectIcons: a project file through its analysis,
// the current desktop through a save of the current state only, an unreadable file with its error.
// True when a project file was loaded completely.
bool sb_ProjectShow(frmMain& form);

// The button released over the list; row is the row under the pointer (-1 for none).
void lvwProjects_MouseUp(frmMain& form, MouseButton button, int row);
// A key released in the list (virtual key codes).
void lvwProjects_KeyUp(frmMain& form, int keyCode);

// Project menu item 7: deletes the selected project file after asking.
void sb_ProjectDelete(frmMain& form);

// The folder browser for the project directory.
void sb_ProjectDirectoryChoose(frmMain& form);

// "YYMMDDHHNNSS" of a DateTime text: in the regional form first, then in the forms other systems
// write (German, English with AM/PM, ISO); empty when it is none of them.
std::string projectDateSortKey(frmMain& form, const std::string& dateTime);

}  // namespace plenvik
