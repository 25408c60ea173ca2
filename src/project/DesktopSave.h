// The save run: a complete inventory of the current desktop - view and arrange style, monitors, the
// monitor picture, every icon with its position and the file behind it - shown in the main window's
// lists while it is taken, and written as a project file. In current-only mode it only fills the
// lists for the "(aktuell)" row.
#pragma once

#include <string>

namespace plenvik {

struct CurrentDesktop;
struct RunContext;

// directory: the folder the project goes into, with a trailing backslash. fileName: empty builds the
// automatic name (and asks, unless automatic naming is on). What was read of the desktop goes into
// desktop. True when the inventory (and the file) was completed; false when the user cancelled.
bool saveDesktop(RunContext& context, CurrentDesktop& desktop, const std::string& directory, const std::string& fileName, bool currentOnly);

}  // namespace plenvik
