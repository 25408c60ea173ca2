// One monitor as the main window keeps it and as a project file saves it.
#pragma once

#include <cstdint>
#include <string>

namespace plenvik {

struct MonitorRecord {
    std::int32_t Nr = 0;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Frequency = 0;
    std::int16_t ColorDepth = 0;
    std::string DeviceName;
};

}  // namespace plenvik
