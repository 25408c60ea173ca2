// The real displays: system metrics, MonitorFromRect, GetMonitorInfoW and the display-settings calls.
#pragma once

#include "platform/Displays.h"

namespace plenvik::win32 {

class Win32Displays : public Displays {
public:
    int metric(int index) override;
    int screenWidth() override;
    int screenHeight() override;
    std::int64_t monitorFromPoint(int x, int y, int flags) override;
    std::optional<MonitorInfo> monitorInfo(std::int64_t monitor) override;
    std::optional<DisplayMode> enumMode(const std::string& device, int modeNumber) override;
    long changeMode(const std::string& device, const DisplayMode& mode, std::uint32_t flags) override;
};

}  // namespace plenvik::win32
