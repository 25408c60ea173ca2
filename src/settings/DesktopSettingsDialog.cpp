#include "settings/DesktopSettingsDialog.h"

#include <limits>

#include "desktop/DesktopSystemIcons.h"
#include "desktop/DesktopWindow.h"
#include "errors/Procedure.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "system/RegistryAccess.h"
#include "ui/CountdownMessageBox.h"

namespace plenvik {
namespace {

namespace text = desktop_text;

constexpr std::int32_t kAutoArrangeBit = 0x100;
constexpr std::int32_t kViewTypeMask = 3;

// The system-icon boxes in the order an apply handles them.
struct BoxDefinition {
    const char* name;
    const char* label;
    const char* clsid;
};
constexpr BoxDefinition kBoxes[] = {
    {"chkDisplayNetwork", text::kLblDisplayNetwork, "{208D2C60-3AEA-1069-A2D7-08002B30309D}"},
    {"chkDisplayMyComputer", text::kLblDisplayMyComputer, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
    {"chkDisplayMyFiles", text::kLblDisplayMyFiles, "{450D8FBA-AD25-11D0-98A8-0800361B1103}"},
    {"chkDisplayInternetExplorer", text::kLblDisplayInternetExplorer, "{871C5380-42A0-1069-A2EA-08002B30309D}"},
    {"chkDisplayBasket", text::kLblDisplayBasket, "{645FF040-5081-101B-9F08-00AA002F954E}"},
};

constexpr const char* kClassicStartMenu = "ClassicStartMenu";
constexpr const char* kNewStartPanel = "NewStartPanel";

std::string hiddenIconsPath(const std::string& keyName) { return std::string(kHideDesktopIconsKey) + "\\" + keyName; }

std::string withoutColon(std::string label) {
    if (!label.empty() && label.back() == ':') label.pop_back();
    return label;
}

// A mode list longer than a mode number can address is cut there.
constexpr std::int32_t kMaxModes = std::numeric_limits<std::int16_t>::max() + 1;

}  // namespace

std::int32_t viewTypeOfIconViewEntry(int index) {
    constexpr std::int32_t types[] = {kViewIcon, kViewSmallIcon, kViewList, kViewReport};
    return index >= 0 && index < 4 ? types[index] : -1;
}

int iconViewEntryOfStyle(std::int32_t style) {
    for (int i = 0; i < 4; ++i)
        if (viewTypeOfIconViewEntry(i) == (style & kViewTypeMask)) return i;
    return -1;
}

std::string hiddenIconsKeyName(const std::vector<std::uint8_t>& shellState) {
    return shellState.size() > 32 && (shellState[32] & 2) ? kNewStartPanel : kClassicStartMenu;
}

DesktopSettingsDialog::DesktopSettingsDialog(Platform& platform, ErrorHandler& errors)
    : platform_(platform), errors_(errors), hiddenIconsKey_(kClassicStartMenu) {
    for (const BoxDefinition& b : kBoxes) boxes_.push_back({b.name, b.label, b.clsid, false, false});
}

DesktopSettingsDialog::~DesktopSettingsDialog() = default;

bool DesktopSettingsDialog::initialize(std::int32_t arrangeCode) {
    Procedure procedure(errors_, "frmDesktop.fc_Init");
    procedure.run([&] {
        columns_.clear();
        procedure.step([&] { screens_ = std::make_unique<MonitorScreens>(platform_.displays); });
        const int count = screens_ ? screens_->Count() : 0;
        for (int n = 1; n <= count; ++n) {
            MonitorColumn column;
            column.lblMonName = "lblMon" + std::to_string(n);
            column.lstMonName = "lstMon" + std::to_string(n);
            column.caption = "Monitor " + std::to_string(n);
            column.added = n >= 2;
            procedure.step([&] {
                column.modes.clear();
                DisplayMonitor& monitor = screens_->Monitor(n);
                std::string modeText;
                for (std::int32_t mode = 0; mode < kMaxModes && monitor.enumDisplaySettings(modeText, mode); ++mode)
                    column.modes.push_back(modeText);
            });
            columns_.push_back(std::move(column));
        }
        selectCurrentModes();

        procedure.step([&] {
            const std::int32_t style = DesktopWindow(platform_.desktop).viewStyle();
            lstIconView_ = iconViewEntryOfStyle(style);
            chkIconsArrangeAutomatic_ = (style & kAutoArrangeBit) != 0;
        });
        chkIconsSnapToGrid_ = arrangeCode == kArrangeCodeSnapToGrid;

        RegistryAccess registry(platform_.registry);
        procedure.step([&] {
            std::string error;
            const RegValue state = registry.readValue(kHkeyCurrentUser, std::string(kExplorerKey), "ShellState", "", error);
            const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&state);
            hiddenIconsKey_ = hiddenIconsKeyName(bytes ? *bytes : std::vector<std::uint8_t>{});
        });
        for (SystemIconBox& box : boxes_) {
            procedure.step([&] {
                std::string error;
                const RegValue hidden = registry.readValue(kHkeyCurrentUser, hiddenIconsPath(hiddenIconsKey_), box.clsid, "", error);
                const auto* flag = std::get_if<std::int32_t>(&hidden);
                box.value = !(flag && *flag == 1);
                box.tag = box.value;
            });
        }
    });
    return true;
}

void DesktopSettingsDialog::selectCurrentModes() {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        MonitorColumn& column = columns_[i];
        column.selected = -1;
        if (!screens_ || static_cast<int>(i) >= screens_->Count()) continue;
        const std::string current = screens_->Monitor(static_cast<int>(i) + 1).currentModeText();
        for (std::size_t m = 0; m < column.modes.size(); ++m) {
            if (column.modes[m] == current) {
                column.selected = static_cast<int>(m);
                break;
            }
        }
    }
}

void DesktopSettingsDialog::monitorListClicked(int monitor, int index) {
    if (monitor < 1 || monitor > static_cast<int>(columns_.size())) return;
    MonitorColumn& column = columns_[static_cast<std::size_t>(monitor - 1)];
    if (index >= 0 && index < static_cast<int>(column.modes.size())) column.selected = index;
}

void DesktopSettingsDialog::iconViewListClicked(int index) {
    if (viewTypeOfIconViewEntry(index) >= 0) lstIconView_ = index;
}

void DesktopSettingsDialog::systemIconClicked(int box, bool checked) {
    if (box >= 0 && box < static_cast<int>(boxes_.size())) boxes_[static_cast<std::size_t>(box)].value = checked;
}

const SystemIconBox* DesktopSettingsDialog::systemIconBox(const std::string& name) const {
    for (const SystemIconBox& box : boxes_)
        if (box.name == name) return &box;
    return nullptr;
}

void DesktopSettingsDialog::closeClicked() {
    if (applying_) return;  // the apply ends first; its countdown lasts seconds
    resultCode_ = kResultClosed;
    visible_ = false;
}

void DesktopSettingsDialog::saveClicked() {
    if (applying_ || resultCode_ != kResultLoaded) return;
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(applying_);
    lblInfo_.clear();

    Procedure procedure(errors_, "frmDesktop.lblCmdSettingsSave_Click");
    // Set while a monitor may run in a mode the user has not confirmed: every way out of the apply
    // that is not a confirmation takes the monitors back.
    bool unconfirmed = false;
    try {
        procedure.run([&] {
            for (std::size_t i = 0; i < columns_.size(); ++i) {
                procedure.step([&] {
                    const MonitorColumn& column = columns_[i];
                    DisplayMonitor& monitor = screens_->Monitor(static_cast<int>(i) + 1);
                    if (column.selected < 0 || column.modes[static_cast<std::size_t>(column.selected)] == monitor.currentModeText()) return;
                    ResolutionRequest request;
                    request.index = static_cast<std::int16_t>(column.selected);
                    if (monitor.setResolution(platform_.dialogs, request)) unconfirmed = true;
                });
            }
            if (unconfirmed) {
                int answer = kMsgBoxCancelled;
                procedure.step(
                    [&] { answer = platform_.dialogs.countdownBox(text::kConfirmMessage, text::kConfirmTitle, text::kConfirmSeconds); });
                if (answer != kMsgBoxConfirmed) {
                    unconfirmed = false;
                    rollBackModes();
                    return;  // nothing else changes
                }
                unconfirmed = false;
                // The confirmed modes are what the lists compare with and a later rollback returns to.
                rereadMonitors();
                selectCurrentModes();
            }

            DesktopWindow desktop(platform_.desktop);
            if (const std::int32_t viewType = viewTypeOfIconViewEntry(lstIconView_); viewType >= 0) {
                std::int32_t bits = viewType;
                std::int32_t mask = kViewTypeMask & ~viewType;
                (chkIconsArrangeAutomatic_ ? bits : mask) |= kAutoArrangeBit;
                procedure.step([&] { desktop.setViewStyle(bits, mask); });
            }
            // Snapping happens once, now; an unchecked box un-snaps nothing.
            if (chkIconsSnapToGrid_) procedure.step([&] { desktop.setArrangeStyle(kArrangeCodeSnapToGrid); });
            writeSystemIcons(procedure);
            procedure.step([&] { desktop.RefreshDesktop(); });
        });
    } catch (...) {
        if (unconfirmed) rollBackModes();
        throw;
    }
    if (unconfirmed) rollBackModes();  // the user left the apply while changing the modes
}

void DesktopSettingsDialog::writeSystemIcons(Procedure& procedure) {
    RegistryAccess registry(platform_.registry);
    std::string notWritten;
    for (SystemIconBox& box : boxes_) {
        if (box.value == box.tag) continue;
        procedure.step([&] {
            const std::int32_t hidden = box.value ? 0 : 1;
            bool inForce = false;
            for (const char* key : {kClassicStartMenu, kNewStartPanel}) {
                const bool written = registry.writeDword(kHkeyCurrentUser, hiddenIconsPath(key), box.clsid, hidden);
                if (written && hiddenIconsKey_ == key) inForce = true;
            }
            if (inForce) {
                box.tag = box.value;
            } else {
                // Explorer reads the key in force, which is missing: the box shows the truth again.
                box.value = box.tag;
                notWritten += (notWritten.empty() ? "" : ", ") + withoutColon(box.label);
            }
        });
    }
    if (!notWritten.empty()) lblInfo_ = text::kIconNotWritten + notWritten;
}

void DesktopSettingsDialog::rollBackModes() {
    std::string failed;
    if (screens_) {
        for (int n = 1; n <= screens_->Count(); ++n) {
            DisplayMonitor& monitor = screens_->Monitor(n);
            ResolutionRequest back;
            back.width = monitor.Width;
            back.height = monitor.Height;
            back.frequency = monitor.DisplayFrequency;
            back.colorDepth = monitor.DisplayColorDepth;
            back.positionX = monitor.Left;
            back.positionY = monitor.Top;
            bool restored = false;
            try {
                restored = monitor.setResolution(platform_.dialogs, back);
            } catch (...) {
                restored = false;  // reported below with the others
            }
            if (!restored) failed += (failed.empty() ? "" : ", ") + std::to_string(n);
        }
    }
    rereadMonitors();
    selectCurrentModes();
    if (failed.empty()) {
        lblInfo_ = text::kModesRestored;
        return;
    }
    lblInfo_ = text::kRollbackFailed + failed + ".";
    try {
        platform_.dialogs.messageBox({lblInfo_, kAppTitle, MsgButtons::Ok, MsgIcon::Exclamation});
    } catch (...) {
        // the message stays in lblInfo
    }
}

void DesktopSettingsDialog::rereadMonitors() {
    if (!screens_) return;
    for (DisplayMonitor& monitor : screens_->Monitors()) {
        try {
            DisplayMonitor fresh(platform_.displays);
            if (fresh.fill(monitor.handle)) {
                monitor = fresh;
                continue;
            }
            // The handle no longer names the monitor: its device still tells the mode it runs in.
            const auto mode = platform_.displays.enumMode(monitor.DeviceName, kEnumCurrentSettings);
            if (!mode) continue;
            monitor.Width = mode->width;
            monitor.Height = mode->height;
            monitor.Right = monitor.Left + mode->width;
            monitor.Bottom = monitor.Top + mode->height;
            monitor.DisplayFrequency = mode->frequency;
            monitor.DisplayColorDepth = static_cast<std::int16_t>(mode->bitsPerPixel);
        } catch (...) {
            // keeps what it knew; the lists then show that
        }
    }
}

std::vector<MonitorRecord> DesktopSettingsDialog::monitorRecords() const {
    std::vector<MonitorRecord> records(1);
    if (!screens_) return records;
    for (int n = 1; n <= screens_->Count(); ++n) {
        const DisplayMonitor& m = screens_->Monitor(n);
        records.push_back({n, m.Left, m.Top, m.Right, m.Bottom, m.Width, m.Height, m.DisplayFrequency, m.DisplayColorDepth, m.DeviceName});
    }
    return records;
}

}  // namespace plenvik
