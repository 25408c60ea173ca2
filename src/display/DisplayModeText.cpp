#include "display/DisplayModeText.h"

namespace plenvik {

std::string displayModeText(int width, int height, int bitsPerPixel, int frequency) {
    return std::to_string(width) + " x " + std::to_string(height) + ", " + std::to_string(bitsPerPixel) + " Bit, " +
           std::to_string(frequency) + " Hz";
}

}  // namespace plenvik
