// The main window's desktop-settings command: measures whether the desktop snaps to the grid, fills
// the dialog, draws the monitor layout into its picture, shows it modally and unloads it.
#pragma once

#include <functional>

namespace plenvik {

class frmDesktop;
class frmMain;

// Shows the filled dialog modally and returns once it has hidden: a real window on Windows, a scripted
// user in tests.
using ShowDesktopDialog = std::function<void(frmDesktop& form)>;

void sb_DesktopSettingsShow(frmMain& form, const ShowDesktopDialog& show);

}  // namespace plenvik
