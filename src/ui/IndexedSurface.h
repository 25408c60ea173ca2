// The picture control's drawing surface: 8 bits per pixel with a palette of 256 colours, rows padded
// to multiples of 4 bytes (the layout of a Windows DIB section, so a view can show it as it is).
// Palette entry 0 is the background colour; every pixel starts there.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "jpeg/PixelSource.h"

namespace plenvik {

class IndexedSurface {
public:
    static constexpr int kPaletteSize = 256;
    // Entries that never change: 0 the background, 1 black, 2 white, then a 6 x 6 x 6 colour cube that
    // a loaded picture is mapped onto. Entries after the cube are handed out for exact colours.
    static constexpr std::uint8_t kBackgroundIndex = 0, kBlackIndex = 1, kWhiteIndex = 2;
    static constexpr int kCubeFirst = 3, kCubeSize = 216, kFirstFreeIndex = kCubeFirst + kCubeSize;

    // width and height 1 ... 32767.
    IndexedSurface(int width, int height, PaletteColor background);

    int width() const { return width_; }
    int height() const { return height_; }
    std::ptrdiff_t stride() const { return stride_; }
    const std::vector<std::uint8_t>& indices() const { return pixels_; }
    const std::array<PaletteColor, kPaletteSize>& palette() const { return palette_; }
    int paletteUsed() const { return used_; }

    std::uint8_t index(int x, int y) const { return pixels_[offset(x, y)]; }
    PaletteColor color(int x, int y) const { return palette_[index(x, y)]; }

    // The palette entry that shows this colour: the background or a fixed entry if one is exact, else
    // a new entry while there is room, else the nearest entry.
    std::uint8_t colorIndex(PaletteColor c);
    // Only the entry nearest to the colour (how a loaded picture is mapped; never allocates).
    std::uint8_t nearestIndex(PaletteColor c) const;

    // Drawing with the rules of the platform's drawing calls; everything is clipped to the surface.
    // Fills [left, right) x [top, bottom); an empty or inverted range fills nothing.
    void fill(int left, int top, int right, int bottom, std::uint8_t index);
    // A rectangle (corners in any order) with a one-pixel outline on [left, right - 1] x [top, bottom - 1]
    // and the inside filled.
    void rectangle(int left, int top, int right, int bottom, std::uint8_t outline, std::uint8_t inside);
    // One line of text with the built-in font, its top-left corner at (x, y), only the glyphs' pixels set.
    void text(int x, int y, std::string_view utf8, std::uint8_t index);
    void set(int x, int y, std::uint8_t index);

    // The surface as the encoder reads it.
    PixelSource pixelSource() const;
    // A copy in RGB, and a surface made from an RGB picture (each pixel mapped to its nearest entry).
    RgbImage toRgb() const;
    static IndexedSurface fromRgb(const RgbImage& image, PaletteColor background);

private:
    std::size_t offset(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_) + static_cast<std::size_t>(x);
    }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_;
    int height_;
    std::ptrdiff_t stride_;
    std::vector<std::uint8_t> pixels_;
    std::array<PaletteColor, kPaletteSize> palette_{};
    int used_ = kFirstFreeIndex;
};

}  // namespace plenvik
