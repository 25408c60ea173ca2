// Colours as the program's controls store them: 0x00BBGGRR for a colour, or 0x80000000 + index for a
// system colour (the index of GetSysColor), resolved when a surface or a drawing needs pixels.
#pragma once

#include <cstdint>
#include <functional>

#include "jpeg/PixelSource.h"

namespace plenvik {

using OleColor = std::uint32_t;

inline constexpr OleColor kSystemColorFlag = 0x80000000u;

constexpr OleColor rgbColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<OleColor>(r) | (static_cast<OleColor>(g) << 8) | (static_cast<OleColor>(b) << 16);
}
constexpr OleColor systemColor(int index) { return kSystemColorFlag | static_cast<OleColor>(index); }
constexpr bool isSystemColor(OleColor c) { return (c & kSystemColorFlag) != 0; }

// The RGB value of a system colour index; the Win32 views answer with GetSysColor.
using SystemColorResolver = std::function<OleColor(int index)>;

// The colours of a standard Windows 10 scheme, for platforms without system colours (and for an index
// Windows does not know: black).
OleColor defaultSystemColor(int index);

// A plain colour stays as it is; a system colour is looked up (its result's high byte is ignored).
PaletteColor resolveColor(OleColor color, const SystemColorResolver& resolver);

}  // namespace plenvik
