// The text that names a display mode in lists: "1280 x 1024, 32 Bit, 60 Hz".
#pragma once

#include <string>

#include "platform/Displays.h"

namespace plenvik {

std::string displayModeText(int width, int height, int bitsPerPixel, int frequency);
inline std::string displayModeText(const DisplayMode& m) { return displayModeText(m.width, m.height, m.bitsPerPixel, m.frequency); }

}  // namespace plenvik
