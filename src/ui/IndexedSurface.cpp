#include "ui/IndexedSurface.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

#include "common/Text.h"
#include "errors/RuntimeError.h"
#include "ui/BitmapFont.h"

namespace plenvik {
namespace {

constexpr int kMaxSide = 32767;

bool sameColor(PaletteColor a, PaletteColor b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

int distance(PaletteColor a, PaletteColor b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

}  // namespace

IndexedSurface::IndexedSurface(int width, int height, PaletteColor background) : width_(width), height_(height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        throw RuntimeError(5, kAppTitle,
                           "Ein Bild von " + std::to_string(width) + " x " + std::to_string(height) +
                               " Pixel kann nicht angelegt werden (erlaubt sind 1 bis 32767 Pixel je Seite).");
    stride_ = (static_cast<std::ptrdiff_t>(width) + 3) / 4 * 4;
    pixels_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), kBackgroundIndex);
    palette_[kBackgroundIndex] = background;
    palette_[kBlackIndex] = PaletteColor{0, 0, 0};
    palette_[kWhiteIndex] = PaletteColor{255, 255, 255};
    int i = kCubeFirst;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette_[static_cast<std::size_t>(i++)] =
                    PaletteColor{static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51), static_cast<std::uint8_t>(b * 51)};
}

std::uint8_t IndexedSurface::colorIndex(PaletteColor c) {
    for (int i = 0; i < used_; ++i)
        if (sameColor(palette_[static_cast<std::size_t>(i)], c)) return static_cast<std::uint8_t>(i);
    if (used_ < kPaletteSize) {
        palette_[static_cast<std::size_t>(used_)] = c;
        return static_cast<std::uint8_t>(used_++);
    }
    return nearestIndex(c);
}

std::uint8_t IndexedSurface::nearestIndex(PaletteColor c) const {
    int best = 0;
    int bestDistance = distance(palette_[0], c);
    for (int i = 1; i < used_ && bestDistance > 0; ++i) {
        const int d = distance(palette_[static_cast<std::size_t>(i)], c);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return static_cast<std::uint8_t>(best);
}

void IndexedSurface::set(int x, int y, std::uint8_t index) {
    if (inside(x, y)) pixels_[offset(x, y)] = index;
}

void IndexedSurface::fill(int left, int top, int right, int bottom, std::uint8_t index) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (right <= left || bottom <= top) return;
    for (int y = top; y < bottom; ++y) std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(offset(left, y)), right - left, index);
}

void IndexedSurface::rectangle(int left, int top, int right, int bottom, std::uint8_t outline, std::uint8_t inside) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1) return;
    fill(left, top, right, top + 1, outline);
    fill(left, bottom - 1, right, bottom, outline);
    fill(left, top, left + 1, bottom, outline);
    fill(right - 1, top, right, bottom, outline);
    fill(left + 1, top + 1, right - 1, bottom - 1, inside);
}

void IndexedSurface::text(int x, int y, std::string_view utf8, std::uint8_t index) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Glyph& glyph = BitmapFont::glyph(nextCodePoint(utf8, pos));
        for (int gy = 0; gy < BitmapFont::kGlyphHeight; ++gy)
            for (int gx = 0; gx < BitmapFont::kGlyphWidth; ++gx)
                if (glyph.pixel(gx, gy)) set(x + gx, y + gy, index);
        x += BitmapFont::kAdvance;
    }
}

PixelSource IndexedSurface::pixelSource() const {
    return PixelSource{width_, height_, PixelFormat::Indexed8, pixels_.data(), stride_, palette_.data(), kPaletteSize};
}

RgbImage IndexedSurface::toRgb() const {
    RgbImage image(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const PaletteColor c = color(x, y);
            std::uint8_t* p = image.at(x, y);
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    return image;
}

IndexedSurface IndexedSurface::fromRgb(const RgbImage& image, PaletteColor background) {
    IndexedSurface surface(image.width, image.height, background);
    std::unordered_map<std::uint32_t, std::uint8_t> mapped;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.rgb.data() + (static_cast<std::size_t>(y) * image.width + x) * 3;
            const std::uint32_t key = (static_cast<std::uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2];
            auto it = mapped.find(key);
            if (it == mapped.end()) it = mapped.emplace(key, surface.nearestIndex(PaletteColor{p[0], p[1], p[2]})).first;
            surface.pixels_[surface.offset(x, y)] = it->second;
        }
    return surface;
}

}  // namespace plenvik
