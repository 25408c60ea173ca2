// Turns the bytes of a picture file into pixels. The portable core has no decoder of its own: the
// Windows view supplies the platform's (WIC); without one the picture control keeps the file and its
// size but cannot show its content.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "jpeg/PixelSource.h"

namespace plenvik {

class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    // The picture, or nothing when the bytes are no picture the decoder knows.
    virtual std::optional<RgbImage> decode(const std::vector<std::uint8_t>& bytes) = 0;
};

}  // namespace plenvik
