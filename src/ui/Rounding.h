// Rounding of drawing coordinates and percentages: to the nearest integer, ties to the even one (2.5
// gives 2, 3.5 gives 4), the way the program's numbers have always been converted to whole ones.
#pragma once

#include <cmath>
#include <optional>

namespace plenvik {

// Values beyond +-2^30 are limited to it; not-a-number and infinities give no value.
inline std::optional<int> roundHalfEven(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    constexpr double kLimit = 1073741824.0;
    if (value > kLimit) value = kLimit;
    if (value < -kLimit) value = -kLimit;
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) result = floor + 1.0;
    return static_cast<int>(result);
}

}  // namespace plenvik
