#include "ui/OleColor.h"

#include <array>

namespace plenvik {
namespace {

// Indices 0 ... 30 of GetSysColor, written as 0xRRGGBB for reading.
constexpr std::array<std::uint32_t, 31> kWindowsScheme = {0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
                                                          0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
                                                          0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
                                                          0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0};

}  // namespace

OleColor defaultSystemColor(int index) {
    if (index < 0 || index >= static_cast<int>(kWindowsScheme.size())) return 0;
    const std::uint32_t rgb = kWindowsScheme[static_cast<std::size_t>(index)];
    return rgbColor(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb));
}

PaletteColor resolveColor(OleColor color, const SystemColorResolver& resolver) {
    if (isSystemColor(color)) {
        const int index = static_cast<int>(color & 0xFFFFu);
        color = resolver ? resolver(index) : defaultSystemColor(index);
    }
    return PaletteColor{static_cast<std::uint8_t>(color & 0xFF), static_cast<std::uint8_t>((color >> 8) & 0xFF),
                        static_cast<std::uint8_t>((color >> 16) & 0xFF)};
}

}  // namespace plenvik
