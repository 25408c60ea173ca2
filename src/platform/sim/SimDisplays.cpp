#include "platform/sim/SimDisplays.h"

#include <algorithm>
#include <stdexcept>

namespace plenvik::sim {

namespace {

constexpr std::uint32_t kEnumeratedFields = kDmBitsPerPel | kDmPelsWidth | kDmPelsHeight | kDmDisplayFlags | kDmDisplayFrequency;

bool contains(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

bool sameMode(const DisplayMode& a, const DisplayMode& b) {
    return a.width == b.width && a.height == b.height && a.bitsPerPixel == b.bitsPerPixel && a.frequency == b.frequency;
}

}  // namespace

DisplayMode SimDisplays::mode(int width, int height, int bits, int hertz, std::uint32_t displayFlags) {
    DisplayMode m;
    m.width = width;
    m.height = height;
    m.bitsPerPixel = bits;
    m.frequency = hertz;
    m.fields = kEnumeratedFields;
    m.displayFlags = displayFlags;
    return m;
}

SimMonitor& SimDisplays::addMonitor(Rect rect, std::string deviceName, int bits, int hertz, std::vector<DisplayMode> modes) {
    SimMonitor m;
    m.handle = 101 + static_cast<std::int64_t>(monitors_.size());
    m.rect = rect;
    m.deviceName = std::move(deviceName);
    m.current = mode(rect.right - rect.left, rect.bottom - rect.top, bits, hertz);
    m.modes = modes.empty() ? std::vector<DisplayMode>{m.current} : std::move(modes);
    m.primary = monitors_.empty();
    monitors_.push_back(std::move(m));
    return monitors_.back();
}

SimMonitor* SimDisplays::find(const std::string& deviceName) {
    for (auto& m : monitors_)
        if (m.deviceName == deviceName) return &m;
    return nullptr;
}

const SimMonitor& SimDisplays::primaryMonitor() const {
    if (monitors_.empty()) throw std::logic_error("SimDisplays: no monitor configured");
    for (const auto& m : monitors_)
        if (m.primary) return m;
    return monitors_.front();
}

void SimDisplays::called(const std::string& operation) {
    if (beforeCall) beforeCall(operation);
}

int SimDisplays::metric(int index) {
    called("metric");
    if (!multiMonitor || monitors_.empty()) return 0;
    int left = monitors_.front().rect.left, top = monitors_.front().rect.top;
    int right = monitors_.front().rect.right, bottom = monitors_.front().rect.bottom;
    for (const auto& m : monitors_) {
        left = std::min(left, m.rect.left);
        top = std::min(top, m.rect.top);
        right = std::max(right, m.rect.right);
        bottom = std::max(bottom, m.rect.bottom);
    }
    switch (index) {
    case kSmXVirtualScreen: return left;
    case kSmYVirtualScreen: return top;
    case kSmCxVirtualScreen: return right - left;
    case kSmCyVirtualScreen: return bottom - top;
    case kSmCMonitors: return static_cast<int>(monitors_.size());
    default: return 0;
    }
}

int SimDisplays::screenWidth() { return primaryMonitor().rect.right - primaryMonitor().rect.left; }
int SimDisplays::screenHeight() { return primaryMonitor().rect.bottom - primaryMonitor().rect.top; }

std::int64_t SimDisplays::monitorFromPoint(int x, int y, int flags) {
    probes.push_back({x, y, flags});
    called("monitorFromPoint");
    // Overlapping monitors (mirrored outputs) answer with the first one configured.
    for (const auto& m : monitors_)
        if (contains(m.rect, x, y)) return m.handle;
    if (flags == kMonitorDefaultToPrimary && !monitors_.empty()) return primaryMonitor().handle;
    return 0;
}

std::optional<MonitorInfo> SimDisplays::monitorInfo(std::int64_t monitor) {
    called("monitorInfo");
    for (const auto& m : monitors_) {
        if (m.handle != monitor) continue;
        const Rect work = m.work == Rect{} ? m.rect : m.work;
        // The platform hands the name in a fixed buffer; what follows the NUL is not part of it.
        return MonitorInfo{m.rect, work, m.deviceName + std::string(1, '\0') + "garbage"};
    }
    return std::nullopt;
}

SimMonitor* SimDisplays::deviceOrPrimary(const std::string& device) {
    if (!device.empty()) return find(device);
    if (monitors_.empty()) return nullptr;
    for (auto& m : monitors_)
        if (m.primary) return &m;
    return &monitors_.front();
}

std::optional<DisplayMode> SimDisplays::enumMode(const std::string& device, int modeNumber) {
    called("enumMode");
    SimMonitor* m = deviceOrPrimary(device);
    if (!m) return std::nullopt;
    if (modeNumber == kEnumCurrentSettings) {
        if (!m->currentReadable) return std::nullopt;
        DisplayMode current = m->current;
        current.width = m->rect.right - m->rect.left;
        current.height = m->rect.bottom - m->rect.top;
        current.positionX = m->rect.left;
        current.positionY = m->rect.top;
        current.fields |= kDmPosition;
        return current;
    }
    if (modeNumber == kEnumRegistrySettings) return m->registry;
    if (modeNumber < 0 || static_cast<std::size_t>(modeNumber) >= m->modes.size()) return std::nullopt;
    return m->modes[static_cast<std::size_t>(modeNumber)];
}

long SimDisplays::changeMode(const std::string& device, const DisplayMode& mode, std::uint32_t flags) {
    changes.push_back({device, mode, flags});
    called("changeMode");
    SimMonitor* m = deviceOrPrimary(device);
    long result;
    if (!scriptedResults.empty()) {
        result = scriptedResults.front();
        scriptedResults.pop_front();
    } else if (!m) {
        result = kDispChangeBadParam;
    } else {
        const bool listed = std::any_of(m->modes.begin(), m->modes.end(), [&](const DisplayMode& l) { return sameMode(l, mode); });
        result = listed ? kDispChangeSuccessful : kDispChangeBadMode;
    }
    if (m && (result == kDispChangeSuccessful || result == kDispChangeNotUpdated)) {
        m->current = mode;
        m->current.fields &= ~kDmPosition;
        const int x = (mode.fields & kDmPosition) ? mode.positionX : m->rect.left;
        const int y = (mode.fields & kDmPosition) ? mode.positionY : m->rect.top;
        m->rect = {x, y, x + mode.width, y + mode.height};
        m->work = {};
    }
    return result;
}

}  // namespace plenvik::sim
