// One monitor: its rectangle, work area, device name and current mode, its list of display modes,
// and switching it to another mode.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Dialogs.h"
#include "platform/Displays.h"

namespace plenvik {

// The parameters of setResolution. An index of 0 or more applies that mode directly; -1 searches
// the first mode with the given width, height, frequency and colour depth. A position of -1 (in
// either coordinate) leaves the position as the mode has it.
struct ResolutionRequest {
    std::int16_t index = -1;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t frequency = 0;
    std::int16_t colorDepth = 0;
    std::int32_t positionX = -1;
    std::int32_t positionY = -1;
};

class DisplayMonitor {
public:
    explicit DisplayMonitor(Displays& displays) : displays_(&displays) {}

    // 0 for the monitor of a platform without multi-monitor support.
    std::int64_t handle = 0;
    // Virtual-screen pixels; right and bottom exclusive.
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    std::int32_t WorkLeft = 0, WorkTop = 0, WorkRight = 0, WorkBottom = 0;
    std::int32_t Width = 0, Height = 0;
    std::string DeviceName;  // "\\.\DISPLAY1"; empty for the single-monitor fallback
    std::int32_t DisplayFrequency = 0;
    std::int16_t DisplayColorDepth = 0;

    // Reads rectangle, work area and device name of the monitor, then its current mode (the mode
    // stored in the registry when the current one cannot be read). Fields whose platform call fails
    // stay 0. The result tells whether the monitor information could be read.
    bool fill(std::int64_t monitorHandle);

    // The display text of the current mode, built from the properties: "1280 x 1024, 32 Bit, 60 Hz".
    std::string currentModeText() const;

    // Reads mode number ModeNum (from 0) of the device. True with Text set to the mode's display text;
    // false with Text "" and ModeNum -1 when there is no such mode (also for a negative number).
    bool enumDisplaySettings(std::string& Text, std::int32_t& ModeNum);

    // Finds the wanted mode among the device's modes and applies it at once (not stored in the
    // registry); reports the platform's refusals in an information box. True when the platform
    // accepted the change.
    bool setResolution(Dialogs& dialogs, const ResolutionRequest& request = {});

    // The mode record last read or applied by enumDisplaySettings or setResolution.
    const DisplayMode& modeRecord() const { return mode_; }

private:
    Displays* displays_;
    DisplayMode mode_;
};

}  // namespace plenvik
