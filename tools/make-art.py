#!/usr/bin/env python3
"""Draws the program's two icons as classic palette ICO files.

main.ico: 32 x 32, 16 colours (4 bits a pixel), for the main window.
readme.ico: 32 x 32, 256 colours (8 bits a pixel), for the read-me window.
Both show a hand-held console; the read-me one adds a page of text.
Written by hand rather than by an image tool so the colour depth is exact.
"""
import struct
import sys
from pathlib import Path

SIZE = 32


def console(px, body, screen, button, light):
    """Paints a small hand-held console onto px (a dict of (x, y) -> colour index)."""
    for y in range(6, 26):
        for x in range(2, 30):
            corner = (x in (2, 29)) and (y in (6, 25))
            if not corner:
                px[(x, y)] = body
    for y in range(9, 22):
        for x in range(9, 23):
            px[(x, y)] = screen
    for x, y in ((5, 14), (4, 15), (5, 15), (6, 15), (5, 16)):  # cross pad
        px[(x, y)] = button
    for x, y in ((26, 13), (27, 13), (24, 16), (25, 16)):  # two buttons
        px[(x, y)] = button
    for x in range(11, 21):  # the screen's glint
        px[(x, 11)] = light


def write_ico(path, pixels, palette, bits):
    colours = len(palette)
    row = SIZE * bits // 8
    xor = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        if bits == 4:
            for x in range(0, SIZE, 2):
                xor.append((pixels.get((x, y), 0) << 4) | pixels.get((x + 1, y), 0))
        else:
            xor.extend(pixels.get((x, y), 0) for x in range(SIZE))
    mask = bytearray()
    for y in reversed(range(SIZE)):
        bitsrow = 0
        for x in range(SIZE):
            if (x, y) not in pixels:
                bitsrow |= 1 << (31 - x)
        mask.extend(struct.pack(">I", bitsrow))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, colours, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    image = header + pal + bytes(xor) + bytes(mask)
    assert len(xor) == row * SIZE
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, colours % 256, 0, 1, bits, len(image), 22)
    Path(path).write_bytes(icondir + entry + image)


def main(out):
    out = Path(out)
    # The 16 colours of the classic VGA palette.
    vga = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    px = {}
    console(px, body=5, screen=6, button=0, light=15)
    write_ico(out / "main.ico", px, vga, 4)

    # 256 colours: a ramp of purples for the body, then greys.
    palette = [(0, 0, 0)] * 256
    for i in range(64):
        palette[i] = (60 + i * 2, 30 + i, 120 + i * 2)
    for i in range(64, 256):
        g = (i - 64) * 255 // 191
        palette[i] = (g, g, g)
    palette[200] = (40, 150, 160)
    px = {}
    console(px, body=20, screen=200, button=64, light=255)
    for y in range(14, 31):  # a sheet of paper in front, lower right
        for x in range(17, 31):
            px[(x, y)] = 250 if x in (17, 30) or y in (14, 30) else 255
    for y in (17, 20, 23, 26):
        for x in range(19, 29):
            px[(x, y)] = 120
    write_ico(out / "readme.ico", px, palette, 8)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
