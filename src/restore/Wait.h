// Waiting a few seconds while the window stays responsive.
#pragma once

#include <cstdint>

namespace plenvik {

struct Platform;

// Lets window events run until the platform clock's time of day has moved on by seconds. The wait
// ends early at midnight (a time of day of 0 or beyond 86395 seconds) and when the clock is set back.
void waitSeconds(Platform& platform, std::int32_t seconds);

}  // namespace plenvik
