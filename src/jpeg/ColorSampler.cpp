#include "jpeg/ColorSampler.h"

#include <algorithm>

namespace plenvik {
namespace {

struct Converter {
    float* y;
    float* cb;
    float* cr;

    void operator()(int i, float r, float g, float b) const {
        y[i] = 0.299f * r + 0.587f * g + 0.114f * b - 128.0f;
        cb[i] = -0.16874f * r - 0.33126f * g + 0.5f * b;
        cr[i] = 0.5f * r - 0.41869f * g - 0.08131f * b;
    }
};

void convertRow(const PixelSource& source, const std::uint8_t* row, int firstX, int count, const Converter& convert) {
    switch (source.format) {
    case PixelFormat::Rgb24:
        for (int i = 0; i < count; ++i) {
            const std::uint8_t* p = row + static_cast<std::ptrdiff_t>(firstX + i) * 3;
            convert(i, p[0], p[1], p[2]);
        }
        break;
    case PixelFormat::Bgrx32:
        for (int i = 0; i < count; ++i) {
            const std::uint8_t* p = row + static_cast<std::ptrdiff_t>(firstX + i) * 4;
            convert(i, p[2], p[1], p[0]);
        }
        break;
    case PixelFormat::Indexed8:
        for (int i = 0; i < count; ++i) {
            const int index = row[firstX + i];
            const PaletteColor c = index < source.paletteSize ? source.palette[index] : PaletteColor{};
            convert(i, c.r, c.g, c.b);
        }
        break;
    }
}

}  // namespace

SampledImage sampleColors(const PixelSource& source, int width, int height, int left, int top) {
    SampledImage image{width, height, SamplePlane(width, height), SamplePlane(width, height), SamplePlane(width, height)};
    // The part of the rectangle that lies inside the source; the rest is black (Y = 0 before the level
    // shift, Cb = Cr = 0 after it).
    const bool any = source.pixels != nullptr;
    const int x0 = std::clamp(left, 0, any ? source.width : 0) - left;
    const int x1 = std::clamp(left + width, 0, any ? source.width : 0) - left;
    for (int y = 0; y < height; ++y) {
        float* yRow = image.y.row(y);
        float* cbRow = image.cb.row(y);
        float* crRow = image.cr.row(y);
        const int sy = top + y;
        const bool inside = any && sy >= 0 && sy < source.height && x0 < x1;
        const int from = inside ? x0 : width, to = inside ? x1 : width;
        std::fill(yRow, yRow + std::min(from, width), -128.0f);
        std::fill(yRow + to, yRow + width, -128.0f);
        std::fill(cbRow, cbRow + std::min(from, width), 0.0f);
        std::fill(cbRow + to, cbRow + width, 0.0f);
        std::fill(crRow, crRow + std::min(from, width), 0.0f);
        std::fill(crRow + to, crRow + width, 0.0f);
        if (!inside) continue;
        const std::uint8_t* row = source.pixels + static_cast<std::ptrdiff_t>(sy) * source.stride;
        convertRow(source, row, left + x0, x1 - x0, Converter{yRow + x0, cbRow + x0, crRow + x0});
    }
    return image;
}

SamplePlane downsample(const SamplePlane& plane, int h, int hMax, int v, int vMax) {
    const int width = (plane.width() * h + hMax - 1) / hMax;
    const int height = (plane.height() * v + vMax - 1) / vMax;
    SamplePlane out(width, height);
    for (int y = 0; y < height; ++y) {
        const int ya = y * vMax / v, yb = (y + 1) * vMax / v;
        float* outRow = out.row(y);
        for (int x = 0; x < width; ++x) {
            const int xa = x * hMax / h, xb = (x + 1) * hMax / h;
            float sum = 0.0f;
            for (int sy = ya; sy < yb; ++sy)
                for (int sx = xa; sx < xb; ++sx) sum += plane.at(std::min(sx, plane.width() - 1), std::min(sy, plane.height() - 1));
            outRow[x] = sum / static_cast<float>((yb - ya) * (xb - xa));
        }
    }
    return out;
}

}  // namespace plenvik
