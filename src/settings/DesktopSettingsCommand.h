// The desktop-settings command: measures whether the desktop snaps to the grid, fills
// the dialog, draws the monitor layout into its picture, shows it modally and unloads it.
#pragma once

#include <functional>

namespace plenvik {

class DesktopSettingsDialog;
class ErrorHandler;
struct Platform;

// Shows the filled dialog modally and returns once it has hidden: a real window on Windows, a scripted
// user in tests.
using ShowDesktopDialog = std::function<void(DesktopSettingsDialog& form)>;

void showDesktopSettings(Platform& platform, ErrorHandler& errors, const ShowDesktopDialog& show);

}  // namespace plenvik
