// A picture in memory as the encoder samples it: 8-bit RGB, 32-bit BGRX (a Windows DIB section) or
// 8-bit palette indices (the picture control's surface). A view: it owns no pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plenvik {

enum class PixelFormat { Rgb24, Bgrx32, Indexed8 };

struct PaletteColor {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct PixelSource {
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::Rgb24;
    const std::uint8_t* pixels = nullptr;   // the top row's first byte
    std::ptrdiff_t stride = 0;              // bytes from one row to the next (negative for bottom-up rows)
    const PaletteColor* palette = nullptr;  // Indexed8 only; an index past paletteSize is black
    int paletteSize = 0;
};

// An RGB picture that owns its pixels (tests, benchmark, pictures read from files).
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3, top row first

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3) {}
    std::uint8_t* at(int x, int y) { return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
    PixelSource view() const {
        return PixelSource{width, height, PixelFormat::Rgb24, rgb.data(), static_cast<std::ptrdiff_t>(width) * 3, nullptr, 0};
    }
};

}  // namespace plenvik
