// The project list of the main window: every project file of the project directory plus the current
// desktop, showing the selected row in the lower lists, the list's mouse and keys, deleting a project
// and choosing the project directory.
#pragma once

#include <memory>
#include <string>

#include "project/LoadedProject.h"

namespace plenvik {

class MainController;
enum class MouseButton;

// Fills the project list. The directory gets a trailing backslash. An empty onlyFile lists every
// project file and the "(aktuell)" row; a file name lists just that file.
bool searchProjectFiles(MainController& form, std::string& directory, const std::string& onlyFile);
// Shows the selected row in the lower lists: a project file through its analysis, the current desktop
// through a save of the current state only, an unreadable file with its error. The project when a
// project file was loaded completely (the window keeps it as the project shown), else null.
std::shared_ptr<const LoadedProject> showSelectedProject(MainController& form);
// The button released over the list; row is the row under the pointer (-1 for none).
void projectListMouseUp(MainController& form, MouseButton button, int row);
// A key released in the list (virtual key codes).
void projectListKeyUp(MainController& form, int keyCode);
// Project menu item 7: deletes the selected project file after asking.
void deleteSelectedProject(MainController& form);
// The folder browser for the project directory.
void chooseProjectDirectory(MainController& form);

}  // namespace plenvik
