// The desktop settings dialog as a model: display mode per monitor, the desktop's view type,
// auto-arrange and snap-to-grid, and which system icons the desktop shows. It reads and sets all of
// it through the platform seam; the Win32 view mirrors the state into real controls and reports the
// user's actions here.
//
//   DesktopSettingsDialog form(platform, errors);            // result 7
//   form.initialize(arrangeCode);                    // monitors, modes, style, icon boxes
//   ... the view shows it; applies run saveClicked ...
//   form.closeClicked();             // result 2, hidden
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "display/MonitorRecord.h"
#include "display/MonitorScreens.h"
#include "ui/PictureView.h"

namespace plenvik {

class ErrorHandler;
class Procedure;
struct Platform;

// The dialog's fixed texts (UTF-8).
namespace desktop_text {
inline constexpr const char* kCaption = "Desktop Ansicht";
inline constexpr const char* kFraMainDesktopIcons = "Desktop Symbolansicht:";
inline constexpr std::array<const char*, 4> kIconViewEntries{"Symbole (normal)", "Symbole klein", "Liste", "Details"};
inline constexpr const char* kLblIcons = "Symbolausrichtungen:";
inline constexpr const char* kLblIconsArrangeAutomatic = "Symbole automatisch anordnen:";
inline constexpr const char* kLblIconsSnapToGrid = "Symbole am Raster ausrichten:";
inline constexpr const char* kLblDisplayMyComputer = "Arbeitsplatz einblenden:";
inline constexpr const char* kLblDisplayInternetExplorer = "Internet Explorer einblenden:";
inline constexpr const char* kLblDisplayMyFiles = "Eigene Dateien einblenden:";
inline constexpr const char* kLblDisplayNetwork = "Netzwerkumgebung einblenden:";
inline constexpr const char* kLblDisplayBasket = "Papierkorb einblenden:";
inline constexpr const char* kFraMain = "Desktop Monitore:";
inline constexpr const char* kLblCmdSettingsSave = "\xC3\x84nderungen ausf\xC3\xBChren";
inline constexpr const char* kLblCmdSettingsClose =
    "&Schlie\xC3\x9F"
    "en";
inline constexpr const char* kConfirmMessage =
    "Bitte best\xC3\xA4tigen Sie die neue(n) Aufl\xC3\xB6sung(en), ob Sie alles korrekt erkennen?";
inline constexpr const char* kConfirmTitle = "Aufl\xC3\xB6sung ge\xC3\xA4ndert...";
inline constexpr int kConfirmSeconds = 10;
inline constexpr const char* kModesRestored = "Die vorherige(n) Aufl\xC3\xB6sung(en) wurde(n) wiederhergestellt.";
// + the monitors' numbers, e.g. "1, 2"
inline constexpr const char* kRollbackFailed = "Die vorherige Aufl\xC3\xB6sung konnte nicht wiederhergestellt werden f\xC3\xBCr Monitor ";
// + the label of the box without its colon
inline constexpr const char* kIconNotWritten = "Die Einstellung konnte nicht gespeichert werden: ";
inline constexpr const char* kApplied = "Die \xC3\x84nderungen wurden ausgef\xC3\xBChrt.";
}  // namespace desktop_text

// lstIconView position -> view type of the style word (LVS_ICON 0, LVS_SMALLICON 2, LVS_LIST 3,
// LVS_REPORT 1), and back; -1 for a value that has none.
std::int32_t viewTypeOfIconViewEntry(int index);
int iconViewEntryOfStyle(std::int32_t style);

// The key below HideDesktopIcons that Explorer reads: "NewStartPanel" when bit value 2 of byte 32 of
// the ShellState value is set, "ClassicStartMenu" otherwise (also for a value too short to have it).
std::string hiddenIconsKeyName(const std::vector<std::uint8_t>& shellState);

// One monitor's label and list box; monitor 1 has lblMon1 / lstMon1 on the form, later ones are
// added at run time.
struct MonitorColumn {
    std::string lblMonName;          // "lblMon2"
    std::string lstMonName;          // "lstMon2"
    std::string caption;             // "Monitor 2"
    bool added = false;              // created at run time
    std::vector<std::string> modes;  // the list; a position is the mode number
    int selected = -1;               // -1: no entry equals the current mode
};

// A system-icon check box: checked = the icon is shown. The tag remembers the value last filled or
// written, so that an apply writes only the boxes the user changed.
struct SystemIconBox {
    std::string name;   // "chkDisplayNetwork"
    std::string label;  // "Netzwerkumgebung einblenden:"
    std::string clsid;
    bool value = false;
    bool tag = false;
};

class DesktopSettingsDialog {
public:
    static constexpr int kResultLoaded = 7;
    static constexpr int kResultClosed = 2;

    DesktopSettingsDialog(Platform& platform, ErrorHandler& errors);
    ~DesktopSettingsDialog();
    DesktopSettingsDialog(const DesktopSettingsDialog&) = delete;
    DesktopSettingsDialog& operator=(const DesktopSettingsDialog&) = delete;

    // Fills the dialog from the system: the monitors and their modes, the view type and auto-arrange
    // from the style word, snap-to-grid from the measured arrange code (0 or 5), the system-icon boxes
    // from the hidden-icons key in force. True.
    bool initialize(std::int32_t arrangeCode);
    // The dialog is on screen.
    void Show() { visible_ = true; }

    // ---- user actions ----
    // monitor from 1; index: list position
    void monitorListClicked(int monitor, int index);
    void iconViewListClicked(int index);
    void arrangeAutomaticClicked(bool checked) { chkIconsArrangeAutomatic_ = checked; }
    void snapToGridClicked(bool checked) { chkIconsSnapToGrid_ = checked; }
    // box: position in systemIconBoxes()
    void systemIconClicked(int box, bool checked);
    // "Änderungen ausführen": switches the chosen display modes, asks with the countdown box and takes
    // every monitor back to its last confirmed mode unless the user confirms; then sets the view
    // style, snaps to the grid when asked, writes the changed icon boxes and refreshes the desktop.
    // The dialog stays open. Ignored while an apply runs (the countdown box lets events through).
    void saveClicked();
    // "&Schließen" and the close box: result 2, hidden.
    void closeClicked();

    // ---- state ----
    int resultCode() const { return resultCode_; }
    bool visible() const { return visible_; }
    bool applying() const { return applying_; }
    const std::vector<MonitorColumn>& monitorColumns() const { return columns_; }
    int lstIconView() const { return lstIconView_; }
    bool chkIconsArrangeAutomatic() const { return chkIconsArrangeAutomatic_; }
    bool chkIconsSnapToGrid() const { return chkIconsSnapToGrid_; }
    // In handling order: network, my computer, my files, Internet Explorer, recycle bin.
    const std::vector<SystemIconBox>& systemIconBoxes() const { return boxes_; }
    const SystemIconBox* systemIconBox(const std::string& name) const;
    // "NewStartPanel" or "ClassicStartMenu", as decided by initialize.
    const std::string& hiddenIconsKey() const { return hiddenIconsKey_; }
    const std::string& lblInfo() const { return lblInfo_; }

    // The monitors as found by initialize, with their last confirmed modes.
    const MonitorScreens* screens() const { return screens_.get(); }
    // The monitors as the main window's table lays them out (element 0 empty), for the picture.
    std::vector<MonitorRecord> monitorRecords() const;
    // ctlPictureView
    PictureView& ctlPictureView() { return picture_; }

private:
    bool changeModes();
    bool confirmModes();
    void rollBackModes();
    void rereadMonitors();
    void selectCurrentModes();
    void writeSystemIcons(Procedure& procedure);

    Platform& platform_;
    ErrorHandler& errors_;
    int resultCode_ = kResultLoaded;
    bool visible_ = false;
    bool applying_ = false;
    std::unique_ptr<MonitorScreens> screens_;
    std::vector<MonitorColumn> columns_;
    int lstIconView_ = -1;
    bool chkIconsArrangeAutomatic_ = false;
    bool chkIconsSnapToGrid_ = false;
    std::vector<SystemIconBox> boxes_;
    std::string hiddenIconsKey_;
    std::string lblInfo_;
    PictureView picture_;
};

}  // namespace plenvik
