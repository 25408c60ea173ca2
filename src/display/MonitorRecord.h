// One monitor as the main window keeps it and as a project file stores it.
#pragma once

#include <cstdint>
#include <string>

namespace plenvik {

struct MonitorRecord {
    std::int32_t Nr = 0;  // position in the order the scan of the virtual screen met the monitors, from 1
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;   // exclusive
    std::int32_t Bottom = 0;  // exclusive
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Frequency = 0;   // Hz
    std::int16_t ColorDepth = 0;  // bits per pixel
    std::string DeviceName;       // "\\.\DISPLAY1"; how saved and current monitors are matched

    bool operator==(const MonitorRecord&) const = default;
};

}  // namespace plenvik
