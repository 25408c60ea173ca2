// A 32-bit top-down DIB section that the Windows tests paint into and read pixels back from.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/win32/Scoped.h"

namespace plenvik::test {

struct Canvas {
    // Without a fill colour the pixels start black.
    Canvas(int w, int h, std::optional<COLORREF> fill = std::nullopt) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc.reset(CreateCompatibleDC(nullptr));
        bitmap.reset(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
        old = SelectObject(dc.get(), bitmap.get());
        if (fill) {
            RECT all{0, 0, w, h};
            win32::UniqueGdiObject brush(CreateSolidBrush(*fill));
            FillRect(dc.get(), &all, static_cast<HBRUSH>(brush.get()));
        }
    }
    ~Canvas() { SelectObject(dc.get(), old); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // 0x00RRGGBB
    std::uint32_t rgb(int x, int y) const {
        GdiFlush();
        return bits[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF;
    }
    COLORREF color(int x, int y) const {
        const std::uint32_t p = rgb(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    int width, height;
    win32::UniqueMemoryDc dc;
    win32::UniqueGdiObject bitmap;
    HGDIOBJ old = nullptr;
    std::uint32_t* bits = nullptr;
};

}  // namespace plenvik::test
