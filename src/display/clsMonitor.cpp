#include "display/clsMonitor.h"

#include "common/Text.h"
#include "display/DisplayModeText.h"
#include "errors/RuntimeError.h"

namespace plenvik {

bool clsMonitor::fill(std::int64_t monitorHandle) {
    handle = monitorHandle;
    const auto info = displays_->monitorInfo(monitorHandle);
    if (info) {
        Left = info->monitor.left;
        Right = info->monitor.right;
        Top = info->monitor.top;
        Bottom = info->monitor.bottom;
        WorkLeft = info->work.left;
        WorkTop = info->work.top;
        WorkRight = info->work.right;
        WorkBottom = info->work.bottom;
        Height = Bottom - Top;
        Width = Right - Left;
        DeviceName = fc_StringTrimNull(info->deviceName);
    }
    auto current = displays_->enumMode(DeviceName, kEnumCurrentSettings);
    if (!current) current = displays_->enumMode(DeviceName, kEnumRegistrySettings);
    if (current) {
        DisplayColorDepth = static_cast<std::int16_t>(current->bitsPerPixel);
        DisplayFrequency = current->frequency;
    }
    return info.has_value();
}

std::string clsMonitor::currentModeText() const {
    return displayModeText(Width, Height, DisplayColorDepth, DisplayFrequency);
}

bool clsMonitor::fc_EnumDisplaySettings(std::string& Text, std::int32_t& ModeNum) {
    // Negative numbers select the current or the registry settings on the platform, not a listed mode.
    const auto mode = ModeNum >= 0 ? displays_->enumMode(DeviceName, ModeNum) : std::nullopt;
    if (!mode) {
        ModeNum = -1;
        Text.clear();
        return false;
    }
    mode_ = *mode;
    Text = displayModeText(mode_);
    return true;
}

namespace {

// The information box text for a result code; empty when the code has none.
const char* resultMessage(long code) {
    switch (code) {
    case kDispChangeRestart: return "Zum Ändern der Auflösung muß der Computer neu gestartet werden.";
    case kDispChangeFailed: return "Die Auflösung konnte nicht geändert werden.";
    case kDispChangeBadMode: return "Grafikmodus wird nicht unterstützt.";
    case kDispChangeNotUpdated:
        return "Die Einstellungen konnten zwar geänder, aber nicht in der Registry gespeichert werden.";
    default: return "";
    }
}

bool accepted(long code) {
    return code == kDispChangeSuccessful || code == kDispChangeRestart || code == kDispChangeNotUpdated;
}

}  // namespace

bool clsMonitor::fc_ResolutionSet(Dialogs& dialogs, const ResolutionRequest& r) {
    const bool search = r.par_Index < 0;
    for (std::int32_t i = search ? 0 : r.par_Index;; ++i) {
        const auto mode = displays_->enumMode(DeviceName, i);
        if (!mode) return false;  // the wanted mode is not listed
        mode_ = *mode;
        if (!search) break;
        if (mode_.width == r.par_Width && mode_.height == r.par_Height && mode_.frequency == r.par_Frequency &&
            mode_.bitsPerPixel == r.par_ColorDepth)
            break;
    }

    const bool keepPosition = r.par_PositionX == -1 || r.par_PositionY == -1 ||
                              (mode_.positionX == r.par_PositionX && mode_.positionY == r.par_PositionY);
    if (!keepPosition) {
        mode_.positionX = r.par_PositionX;
        mode_.positionY = r.par_PositionY;
        mode_.fields |= kDmPosition;
    }

    const long code = displays_->changeMode(DeviceName, mode_, kCdsReset);
    const std::string message = resultMessage(code);
    if (!message.empty()) dialogs.messageBox({message, kAppTitle, MsgButtons::Ok, MsgIcon::Information});
    return accepted(code);
}

}  // namespace plenvik
