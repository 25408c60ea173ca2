// The project list of the main window: every project file of the project directory plus the current
// desktop, showing the selected row in the lower lists, the list's mouse and keys, deleting a project
// and choosing the project directory.
#pragma once

#include <memory>
#include <string>

#include "project/LoadedProject.h"

namespace plenvik {

class frmMain;
enum class MouseButton;

// Fills the project list. The directory gets a trailing backslash. An empty onlyFile lists every
// project file and the "(aktuell)" row; a file name lists just that file.
bool searchProjectFiles(frmMain& form, std::string& directory, const std::string& onlyFile);
// Shows the selected row in the lower lists: a project file through its analysis, the current desktop
// through a save of the current state only, an unreadable file with its error. The project when a
// project file was loaded completely (the window keeps it as the project shown), else null.
std::shared_ptr<const LoadedProject> showSelectedProject(frmMain& form);
// The button released over the list; row is the row under the pointer (-1 for none).
void projectListMouseUp(frmMain& form, MouseButton button, int row);
// A key released in the list (virtual key codes).
void projectListKeyUp(frmMain& form, int keyCode);
// Project menu item 7: deletes the selected project file after asking.
void deleteSelectedProject(frmMain& form);
// The folder browser for the project directory.
void chooseProjectDirectory(frmMain& form);

}  // namespace plenvik
