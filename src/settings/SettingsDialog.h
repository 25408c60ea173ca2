// The settings dialog as a model: the state of its controls, what each user action does to them, and
// the result code the main window reads afterwards. The Win32 view mirrors this state into real
// controls and reports the user's actions here.
#pragma once

#include <cstdint>
#include <string>

#include "settings/Settings.h"

namespace plenvik {

class Locale;

// The dialog's fixed texts (UTF-8).
namespace settings_text {
inline constexpr const char* kCaption = "Einstellungen";
inline constexpr const char* kFraMain = "Projektdateierstellung:";
inline constexpr const char* kLblSettingsFileSave = "Dateien in Projektdatei sichern:";
inline constexpr const char* kTipFileSave = "Dateien, die auf dem Desktop liegen werden mit in der Projektdatei gesichert.";
inline constexpr const char* kLblMaxFileSize =
    "Maximale Gr\xC3\xB6\xC3\x9F"
    "e einer Datei (in KB):";
inline constexpr const char* kTipMaxFileSize =
    "Dateien, die diese Gr\xC3\xB6\xC3\x9F"
    "e \xC3\xBC"
    "berschreiten, werden nicht in der Projektdatei gesichert.";
inline constexpr const char* kLblSettingsFolderSave = "Ordner sichern:";
inline constexpr const char* kLabel2 = "Dateiname automatisch ohne Abfrage:";
inline constexpr const char* kTipFileNameAuto =
    "Dateiname automatisch ohne Abfrage zusammenbauen \"Plenvik [Computer] [Benutzer] [Datum/Uhrzeit].Plenvk\".";
inline constexpr const char* kLblCmdSettingsSave = "Sichern";
inline constexpr const char* kLblCmdSettingsClose =
    "&Schlie\xC3\x9F"
    "en";
inline constexpr const char* kSizeOutOfRange =
    "Gr\xC3\xB6\xC3\x9F"
    "e darf nur zwischen 0 und 1 GB sein.";
}  // namespace settings_text

class SettingsDialog {
public:
    static constexpr int kResultLoaded = 7;  // while the dialog is open
    static constexpr int kResultSaved = 5;   // closed by a valid "Sichern"
    static constexpr int kResultClosed = 2;  // closed by "&Schließen" or the close box

    // The locale supplies the decimal separator the size is typed with.
    explicit SettingsDialog(Locale& locale) : locale_(locale) {}

    // Shows the main window's values. "Sichern" stays disabled until the user changes something.
    bool initialize(std::int32_t limit, bool fileSave, bool fileNameAuto, bool folderSave);
    // The dialog is on screen: from now on every edit counts as a change.
    void show() { visible_ = true; }

    // User actions; the check box handlers get the box's state after the click.
    void fileSaveClicked(bool checked);
    void fileNameAutoClicked(bool checked);
    void folderSaveClicked(bool checked);
    void fileSaveKeyPressed() { changed(); }
    void folderSaveKeyPressed() { changed(); }
    void maxFileSizeChanged(const std::string& text);
    // "Sichern": accepts a size from 0 to 1000000 typed in the regional format, else shows why not.
    void saveClicked();
    void closeClicked();

    int resultCode() const { return resultCode_; }
    bool visible() const { return visible_; }
    bool chkFileSave() const { return chkFileSave_; }
    bool chkFileNameAuto() const { return chkFileNameAuto_; }
    bool chkFolderSave() const { return chkFolderSave_; }
    const std::string& txtMaxFileSize() const { return txtMaxFileSize_; }
    bool txtMaxFileSizeEnabled() const { return chkFileSave_; }
    bool lblCmdSettingsSaveEnabled() const { return lblCmdSettingsSaveEnabled_; }
    const std::string& lblInfo() const { return lblInfo_; }

private:
    void changed() {
        if (visible_) lblCmdSettingsSaveEnabled_ = true;
    }

    Locale& locale_;
    int resultCode_ = kResultLoaded;
    bool visible_ = false;
    bool chkFileSave_ = false;
    bool chkFileNameAuto_ = false;
    bool chkFolderSave_ = false;
    std::string txtMaxFileSize_;
    bool lblCmdSettingsSaveEnabled_ = false;
    std::string lblInfo_;
};

// The size limit the main window takes from the dialog's text: its leading number read the same on
// every system, rounded (halves to even); below 1, or beyond what the settings file keeps, it is 500.
std::int32_t fileSizeLimitFromText(const std::string& text);

// The four values the main window takes over after the dialog closed with result 5.
Settings settingsTakenOver(const SettingsDialog& form);

// Shows a prepared dialog modally over the main window and returns once it has hidden. The Win32 view
// implements it; tests drive the model through their own.
class SettingsDialogView {
public:
    virtual ~SettingsDialogView() = default;
    virtual void showModal(SettingsDialog& form) = 0;
};

struct SettingsDialogOutcome {
    int resultCode = SettingsDialog::kResultLoaded;
    Settings settings;  // the values taken over with result 5; the given values otherwise
};

// The main window's settings command up to writing the file: load the dialog with the current values,
// show it, and take the values over when it was closed by "Sichern".
SettingsDialogOutcome runSettingsDialog(SettingsDialogView& view, Locale& locale, const Settings& current);

}  // namespace plenvik
