// The picture control's decoder on Windows: the platform's imaging component (WIC) turns JPEG, BMP,
// PNG and GIF files into pixels.
#pragma once

#include "ui/PictureDecoder.h"

namespace plenvik::win32 {

class WicPictureDecoder : public PictureDecoder {
public:
    // The first frame as RGB; nothing when WIC is missing or does not know the bytes.
    std::optional<RgbImage> decode(const std::vector<std::uint8_t>& bytes) override;
};

}  // namespace plenvik::win32
