// The save run: a complete inventory of the current desktop - view and arrange style, monitors, the
// monitor picture, every icon with its position and the file behind it - shown in the main window's
// lists while it is taken, and written as a project file. In current-only mode it only fills the
// lists for the "(aktuell)" row.
#pragma once

#include <string>

namespace plenvik {

class frmMain;

// directory: empty takes the project directory; on return the directory used, with a trailing
// backslash. fileName: empty builds the automatic name (and asks, unless automatic naming is on).
// True when the inventory (and the file) was completed; false when the user cancelled.
bool fc_DesktopIconsSaveToFile(frmMain& form, std::string& directory, const std::string& fileName, bool currentOnly);

}  // namespace plenvik
