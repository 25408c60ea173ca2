// The desktop settings dialog "Desktop Ansicht" as a Win32 window: it mirrors DesktopSettingsDialog into real
// controls (one label and mode list per monitor, side by side), shows the monitor picture, passes the
// user's actions to the model, and stays modal over its owner until the model hides.
#pragma once

#include <windows.h>

#include "settings/DesktopSettingsDialog.h"

namespace plenvik::win32 {

inline constexpr const wchar_t* kDesktopSettingsWindowClass = L"PlenvikDesktopSettings";

// Control ids, so that tests and the main window can find each control.
enum DesktopSettingsControlId : int {
    kIdFraMainDesktopIcons = 401,
    kIdLstIconView,
    kIdLblIcons,
    kIdLblIconsArrangeAutomatic,
    kIdChkIconsArrangeAutomatic,
    kIdLblIconsSnapToGrid,
    kIdChkIconsSnapToGrid,
    kIdLblDisplayMyComputer,
    kIdChkDisplayMyComputer,
    kIdLblDisplayInternetExplorer,
    kIdChkDisplayInternetExplorer,
    kIdLblDisplayMyFiles,
    kIdChkDisplayMyFiles,
    kIdLblDisplayNetwork,
    kIdChkDisplayNetwork,
    kIdLblDisplayBasket,
    kIdChkDisplayBasket,
    kIdDesktopFraMain,
    kIdDesktopCtlPictureView,
    kIdDesktopFraButtons,
    kIdDesktopLblInfo,
    kIdDesktopLblCmdSettingsSave,
    kIdDesktopLblCmdSettingsClose,
};

// lblMon n and lstMon n (n from 1).
inline constexpr int lblMonId(int monitor) { return 500 + 2 * (monitor - 1); }
inline constexpr int lstMonId(int monitor) { return 501 + 2 * (monitor - 1); }

// Shows the filled dialog modally over owner (which may be null) and returns once it has hidden:
// the ShowDesktopDialog of the desktop-settings command on Windows.
void showDesktopSettingsDialog(HWND owner, DesktopSettingsDialog& form);

}  // namespace plenvik::win32
