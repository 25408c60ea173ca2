// Deterministic test pictures for the encoder's tests and benchmark: a photo-like picture (gradients,
// hard edges, texture and noise) and a picture like the monitor layout (flat background, outlined
// rectangles, text-like strokes) on a palettised surface.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "jpeg/PixelSource.h"

namespace plenvik::testimages {

// A small linear congruential generator: the same noise on every platform.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    int next(int range) {  // -range ... range
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(2 * range + 1)) - range;
    }

private:
    std::uint32_t state_;
};

inline std::uint8_t clampByte(double v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v + 0.5); }

inline RgbImage photoLike(int width, int height, std::uint32_t seed = 1) {
    RgbImage image(width, height);
    Noise noise(seed);
    const double cx = width * 0.62, cy = height * 0.4, radius = std::min(width, height) * 0.28;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double fx = static_cast<double>(x) / width, fy = static_cast<double>(y) / height;
            // Sky-like gradient above, a textured "ground" below a horizon.
            double r = 70 + 120 * fx, g = 110 + 90 * fy, b = 200 - 80 * fx * fy;
            if (fy > 0.6 + 0.05 * std::sin(fx * 12.0)) {
                r = 90 + 40 * std::sin(x * 0.21) * std::cos(y * 0.17);
                g = 120 + 50 * std::sin(x * 0.05 + y * 0.11);
                b = 60 + 20 * fx;
            }
            // A disc with a soft shade and a sharp rim.
            const double d = std::hypot(x - cx, y - cy);
            if (d < radius) {
                const double shade = 1.0 - 0.6 * d / radius;
                r = 230 * shade;
                g = 180 * shade;
                b = 40 * shade;
            }
            // A dark bar with hard edges.
            if (x > width / 8 && x < width / 8 + width / 20 && y > height / 5) r = g = b = 25;
            const double n = noise.next(6);
            std::uint8_t* p = image.at(x, y);
            p[0] = clampByte(r + n);
            p[1] = clampByte(g + n + noise.next(2));
            p[2] = clampByte(b + n + noise.next(2));
        }
    }
    return image;
}

// A palettised surface like the one the monitor picture is drawn on, and its colours.
struct IndexedImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> indices;
    std::vector<PaletteColor> palette;

    PixelSource view() const {
        return PixelSource{width, height, PixelFormat::Indexed8, indices.data(), width, palette.data(), static_cast<int>(palette.size())};
    }
    RgbImage toRgb() const {
        RgbImage rgb(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const PaletteColor c = palette[indices[static_cast<std::size_t>(y) * width + x]];
                std::uint8_t* p = rgb.at(x, y);
                p[0] = c.r, p[1] = c.g, p[2] = c.b;
            }
        return rgb;
    }
};

inline IndexedImage monitorLayout(int width, int height) {
    IndexedImage image{width,
                       height,
                       std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, 0),
                       {{236, 233, 216}, {0, 0, 0}, {0, 0, 255}, {255, 0, 0}}};
    auto set = [&](int x, int y, std::uint8_t index) {
        if (x >= 0 && y >= 0 && x < width && y < height) image.indices[static_cast<std::size_t>(y) * width + x] = index;
    };
    auto outline = [&](int l, int t, int r, int b) {
        for (int x = l; x <= r; ++x) set(x, t, 1), set(x, b, 1);
        for (int y = t; y <= b; ++y) set(l, y, 1), set(r, y, 1);
    };
    // Two monitors side by side, each with its label below, and icon marks inside.
    const int w1 = width * 5 / 9, h1 = height * 3 / 5;
    outline(1, 1, w1, h1);
    outline(w1 + 2, height / 8, width - 2, height / 8 + h1 * 3 / 4);
    auto label = [&](int x0, int y0) {  // strokes about the size of a small font's letters
        for (int letter = 0; letter < 5; ++letter) {
            const int x = x0 + letter * 7;
            for (int y = 0; y < 9; ++y) set(x, y0 + y, 1);
            for (int i = 0; i < 5; ++i) set(x + i, y0 + (letter % 2 ? 4 : 0), 1), set(x + i, y0 + 8, 1);
            if (letter % 3 == 0)
                for (int i = 0; i < 6; ++i) set(x + i, y0 + i + 1, 1);
        }
    };
    label(6, h1 + 3);
    label(w1 + 7, height / 8 + h1 * 3 / 4 + 3);
    for (int i = 0; i < 12; ++i) {
        const int x = 10 + (i % 4) * (w1 / 5), y = 12 + (i / 4) * (h1 / 4);
        for (int dy = 0; dy < 4; ++dy)
            for (int dx = 0; dx < 4; ++dx) set(x + dx, y + dy, static_cast<std::uint8_t>(2 + i % 2));
    }
    return image;
}

}  // namespace plenvik::testimages
