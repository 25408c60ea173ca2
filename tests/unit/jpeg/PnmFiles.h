// Reading and writing binary PPM (P6) and PGM (P5) files: the format cjpeg reads and djpeg writes.
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "jpeg/PixelSource.h"

namespace plenvik::pnm {

struct Picture {
    int width = 0, height = 0, components = 0;  // 3 for P6, 1 for P5
    std::vector<std::uint8_t> samples;
};

inline bool writePpm(const std::string& path, const RgbImage& image) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.width << " " << image.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
    return static_cast<bool>(out);
}

inline std::optional<Picture> read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    Picture p;
    if (!(in >> magic >> p.width >> p.height >> maxValue) || maxValue != 255) return std::nullopt;
    if (magic == "P6")
        p.components = 3;
    else if (magic == "P5")
        p.components = 1;
    else
        return std::nullopt;
    in.get();  // the single white-space byte before the samples
    p.samples.resize(static_cast<std::size_t>(p.width) * p.height * p.components);
    in.read(reinterpret_cast<char*>(p.samples.data()), static_cast<std::streamsize>(p.samples.size()));
    if (!in) return std::nullopt;
    return p;
}

}  // namespace plenvik::pnm
