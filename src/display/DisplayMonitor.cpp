#include "display/DisplayMonitor.h"

#include "common/Text.h"
#include "display/DisplayModeText.h"
#include "errors/RuntimeError.h"

namespace plenvik {

bool DisplayMonitor::fill(std::int64_t monitorHandle) {
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
        DeviceName = trimAtNull(info->deviceName);
    }
    auto current = displays_->enumMode(DeviceName, kEnumCurrentSettings);
    if (!current) current = displays_->enumMode(DeviceName, kEnumRegistrySettings);
    if (current) {
        DisplayColorDepth = static_cast<std::int16_t>(current->bitsPerPixel);
        DisplayFrequency = current->frequency;
    }
    return info.has_value();
}

std::string DisplayMonitor::currentModeText() const { return displayModeText(Width, Height, DisplayColorDepth, DisplayFrequency); }

bool DisplayMonitor::enumDisplaySettings(std::string& Text, std::int32_t& ModeNum) {
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
    case kDispChangeNotUpdated: return "Die Einstellungen konnten zwar geänder, aber nicht in der Registry gespeichert werden.";
    default: return "";
    }
}

bool accepted(long code) { return code == kDispChangeSuccessful || code == kDispChangeRestart || code == kDispChangeNotUpdated; }

}  // namespace

bool DisplayMonitor::setResolution(Dialogs& dialogs, const ResolutionRequest& r) {
    const bool search = r.index < 0;
    for (std::int32_t i = search ? 0 : r.index;; ++i) {
        const auto mode = displays_->enumMode(DeviceName, i);
        if (!mode) return false;  // the wanted mode is not listed
        mode_ = *mode;
        if (!search) break;
        if (mode_.width == r.width && mode_.height == r.height && mode_.frequency == r.frequency && mode_.bitsPerPixel == r.colorDepth)
            break;
    }

    const bool keepPosition = r.positionX == -1 || r.positionY == -1 || (mode_.positionX == r.positionX && mode_.positionY == r.positionY);
    if (!keepPosition) {
        mode_.positionX = r.positionX;
        mode_.positionY = r.positionY;
        mode_.fields |= kDmPosition;
    }

    const long code = displays_->changeMode(DeviceName, mode_, kCdsReset);
    const std::string message = resultMessage(code);
    if (!message.empty()) dialogs.messageBox({message, kAppTitle, MsgButtons::Ok, MsgIcon::Information});
    return accepted(code);
}

}  // namespace plenvik
