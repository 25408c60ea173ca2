// The picture control's font: 5 x 7 pixel glyphs drawn from a table in the program, so that a label
// in the monitor picture has the same pixels on every platform. It covers printable ASCII and the
// German umlauts; any other character is drawn as an empty box.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace plenvik {

struct Glyph {
    // One byte per row, top row first; bit 4 is the leftmost column.
    std::array<std::uint8_t, 7> rows{};
    bool pixel(int x, int y) const { return (rows[static_cast<std::size_t>(y)] >> (4 - x)) & 1u; }
};

class BitmapFont {
public:
    static constexpr int kGlyphWidth = 5;
    static constexpr int kGlyphHeight = 7;
    static constexpr int kAdvance = kGlyphWidth + 1;  // one blank column between characters

    // The glyph of a code point; the box for one the font lacks.
    static const Glyph& glyph(char32_t codePoint);
    static bool has(char32_t codePoint);
    // Width in pixels of a UTF-8 text drawn in one line (no trailing blank column).
    static int textWidth(std::string_view utf8);
};

}  // namespace plenvik
