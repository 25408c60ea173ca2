// The settings dialog "Einstellungen" as a Win32 window: it mirrors SettingsDialog into real controls,
// passes the user's actions to it, and stays modal over its owner until the model hides.
#pragma once

#include <windows.h>

#include "settings/SettingsDialog.h"

namespace plenvik::win32 {

inline constexpr const wchar_t* kSettingsWindowClass = L"PlenvikSettings";

// Control ids, so that the main window's tests and the dialog's own can find each control.
enum SettingsControlId : int {
    kIdFraMain = 201,
    kIdLblSettingsFileSave,
    kIdChkFileSave,
    kIdLblMaxFileSize,
    kIdTxtMaxFileSize,
    kIdLblSettingsFolderSave,
    kIdChkFolderSave,
    kIdLabel2,
    kIdChkFileNameAuto,
    kIdFraButtons,
    kIdLblInfo,
    kIdLblCmdSettingsSave,
    kIdLblCmdSettingsClose,
};

class Win32SettingsDialogView : public SettingsDialogView {
public:
    // owner: the main window, disabled while the dialog is open (may be null).
    explicit Win32SettingsDialogView(HWND owner) : owner_(owner) {}
    void showModal(SettingsDialog& form) override;

private:
    HWND owner_;
};

// The main window's settings command: shows the dialog with the four values, modal over owner, and
// returns its result code with the values taken over (the given values unless the code is 5).
SettingsDialogOutcome showSettingsDialog(HWND owner, Locale& locale, const Settings& current);

}  // namespace plenvik::win32
