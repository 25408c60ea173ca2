#!/usr/bin/env python3
"""Draws the icon of Plenvik.exe and of its project files (.Plenvk): the monitor with desktop icons of
the menu picture, at 16, 32 and 48 pixels, with a transparent background, and writes res/Plenvik.ico.
Run it again after changing the drawing."""
import os
import struct

FRAME, SCREEN, ICON, LABEL, STAND = (60, 60, 60), (176, 96, 32), (255, 255, 255), (80, 200, 255), (110, 110, 110)


def design():
    """The 16x16 drawing, rows from the top; None is transparent; colours as (blue, green, red)."""
    px = [[None] * 16 for _ in range(16)]
    for y in range(1, 12):
        for x in range(16):
            px[y][x] = FRAME
    for y in range(2, 11):
        for x in range(1, 15):
            px[y][x] = SCREEN
    for (ix, iy) in [(2, 3), (2, 7), (6, 3), (6, 7), (10, 3)]:
        for y in range(iy, iy + 2):
            for x in range(ix, ix + 2):
                px[y][x] = ICON
        for x in range(ix, ix + 2):
            px[iy + 2][x] = LABEL
    for y in range(12, 14):
        for x in range(6, 10):
            px[y][x] = STAND
    for x in range(3, 13):
        px[14][x] = STAND
    return px


def image(size):
    """One icon image: BITMAPINFOHEADER, 32-bit BGRA pixels bottom-up, then the AND mask."""
    base = design()
    scale = size // 16
    rows = []
    for y in reversed(range(size)):
        row = bytearray()
        for x in range(size):
            c = base[y // scale][x // scale]
            row += bytes(c) + b"\xff" if c else b"\x00\x00\x00\x00"
        rows.append(bytes(row))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray(mask_stride)
        for x in range(size):
            if base[y // scale][x // scale] is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + bytes(mask)


sizes = [16, 32, 48]
images = [image(s) for s in sizes]
directory = struct.pack("<HHH", 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for s, data in zip(sizes, images):
    directory += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "Plenvik.ico")
with open(out, "wb") as f:
    f.write(directory + b"".join(images))
