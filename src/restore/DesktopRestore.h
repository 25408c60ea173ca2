// Comparing the project shown with the current desktop, and making the desktop like the project
// again: view style and snap-to-grid, display modes, icon positions (with up to three repeated passes),
// missing icons re-created, new icons found and, after asking, removed.
#pragma once

#include <string>

namespace plenvik {

class frmMain;

// The entry: loads the selected project if it is not the one shown, asks for confirmation (and about
// another computer, another user or another number of monitors), then runs. False only when the user
// declined one of the mismatch questions.
bool fc_DesktopIconsRestore(frmMain& form, std::string& par_XMLFilename, bool par_OnlyAnalyse, bool par_FixMonitorPositions);

// The run on the project the main window has loaded. True when it reached its end; false when it was
// cancelled or the user stopped the re-creation of icons.
bool fc_DesktopIconsLoadFromFile(frmMain& form, std::string& par_XMLFilename, bool par_OnlyAnalyse, bool par_FixMonitorPositions);

}  // namespace plenvik
