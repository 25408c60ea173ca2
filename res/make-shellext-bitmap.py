#!/usr/bin/env python3
"""Draws the 16x16 menu picture of the shell extension (a monitor with desktop icons) and writes it as
an uncompressed 24-bit BMP: res/OrvelShellExtensions.bmp. Run it again after changing the drawing."""
import os
import struct

W = H = 16
FRAME, SCREEN, ICON, LABEL, STAND, BACK = (60, 60, 60), (176, 96, 32), (255, 255, 255), (80, 200, 255), (110, 110, 110), (192, 192, 192)

# Rows from the top; colours as (blue, green, red), the order a BMP stores.
pixels = [[BACK] * W for _ in range(H)]
for y in range(1, 12):
    for x in range(0, 16):
        pixels[y][x] = FRAME
for y in range(2, 11):
    for x in range(1, 15):
        pixels[y][x] = SCREEN
for (ix, iy) in [(2, 3), (2, 7), (6, 3), (6, 7)]:  # four icons with a label line below each
    for y in range(iy, iy + 2):
        for x in range(ix, ix + 2):
            pixels[y][x] = ICON
    for x in range(ix, ix + 2):
        pixels[iy + 2][x] = LABEL
for y in range(12, 14):
    for x in range(6, 10):
        pixels[y][x] = STAND
for x in range(3, 13):
    pixels[14][x] = STAND

rows = b"".join(bytes(c for px in row for c in px) for row in reversed(pixels))  # bottom-up, 48 bytes a row
header = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(rows), 0, 0, 14 + len(header))
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "OrvelShellExtensions.bmp")
with open(out, "wb") as f:
    f.write(file_header + header + rows)
