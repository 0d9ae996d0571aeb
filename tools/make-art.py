#!/usr/bin/env python3
"""Draws the program's two icons as classic palette ICO files.

main.ico: 16 colours (4 bits a pixel), for the main window.
readme.ico: the 32 x 32 image in 256 colours (8 bits a pixel), for the
read-me window; its other sizes in 16 of those colours.
Both show a hand-held console; the read-me one adds a page of text. Each icon
holds the design drawn at every size a window asks for at 100 to 200 % (16,
20, 24, 32, 40, 48 and 64 pixels), so that no size is a stretched copy, and at
96 pixels, from which the sizes of 175 % and of more than 200 % (28, 36, 56,
72, 80) are scaled down, never up. The
32 x 32 images are drawn on the grid the design was made on, pixel for pixel.
Written by hand rather than by an image tool so the colour depth is exact.
"""
import struct
import sys
from pathlib import Path

DESIGN = 32  # the grid the design is laid out on
SIZES = (16, 20, 24, 32, 40, 48, 64, 96)


class Canvas:
    """A size x size picture: a dict of (x, y) -> colour index; absent is transparent."""

    def __init__(self, size):
        self.size = size
        self.px = {}
        self.unit = max(1, (size + DESIGN // 2) // DESIGN)  # a design pixel's side, at least 1

    def at(self, v):
        """A design coordinate on this canvas."""
        return (v * self.size + DESIGN // 2) // DESIGN

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the design's pixels x0..x1, y0..y1 (inclusive), at least one pixel each way."""
        left, top = self.at(x0), self.at(y0)
        right, bottom = max(left + 1, self.at(x1 + 1)), max(top + 1, self.at(y1 + 1))
        for y in range(top, bottom):
            for x in range(left, right):
                self.px[(x, y)] = colour

    def dots(self, x, y, offsets, colour):
        """Design pixels at `offsets` from the design pixel (x, y), each a block of the
        canvas's unit, so that a small shape keeps its form at every size."""
        left, top = self.at(x), self.at(y)
        for ox, oy in offsets:
            for dy in range(self.unit):
                for dx in range(self.unit):
                    self.px[(left + ox * self.unit + dx, top + oy * self.unit + dy)] = colour


def console(c, body, screen, button, light):
    """Paints a small hand-held console."""
    c.rect(2, 6, 29, 25, body)
    left, top = c.at(2), c.at(6)  # rounded corners: the body's corner pixels go
    right, bottom = c.at(30) - c.unit, c.at(26) - c.unit
    for x, y in ((left, top), (right, top), (left, bottom), (right, bottom)):
        for dy in range(c.unit):
            for dx in range(c.unit):
                c.px.pop((x + dx, y + dy), None)
    c.rect(9, 9, 22, 21, screen)
    c.dots(5, 15, ((0, -1), (-1, 0), (0, 0), (1, 0), (0, 1)), button)  # cross pad
    c.dots(26, 13, ((0, 0), (1, 0)), button)  # two buttons
    c.dots(24, 16, ((0, 0), (1, 0)), button)
    c.rect(11, 11, 20, 11, light)  # the screen's glint


def page(c, border, paper, ink):
    """A sheet of paper with four lines of text, in front, lower right."""
    c.rect(17, 14, 30, 30, border)
    c.rect(18, 15, 29, 29, paper)
    for y in (17, 20, 23, 26):
        c.rect(19, y, 28, y, ink)


def dib(c, palette, bits):
    """The icon image: BITMAPINFOHEADER, palette, colour rows, mask rows."""
    size = c.size
    row = (size * bits + 31) // 32 * 4
    xor = bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        line = bytearray()
        if bits == 4:
            for x in range(0, size, 2):
                line.append((c.px.get((x, y), 0) << 4) | c.px.get((x + 1, y), 0))
        else:
            line.extend(c.px.get((x, y), 0) for x in range(size))
        xor += line + bytes(row - len(line))
    mask_row = (size + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bitsrow = 0
        for x in range(size):
            if (x, y) not in c.px:
                bitsrow |= 1 << (mask_row * 8 - 1 - x)
        mask += bitsrow.to_bytes(mask_row, "big")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, len(palette), 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    return header + pal + bytes(xor) + bytes(mask)


def write_ico(path, images):
    """images: (canvas, palette, bits) for each size."""
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for c, palette, bits in images:
        image = dib(c, palette, bits)
        entries += struct.pack("<BBBBHHII", c.size % 256, c.size % 256, len(palette) % 256, 0, 1,
                               bits, len(image), offset + len(data))
        data += image
    Path(path).write_bytes(struct.pack("<HHH", 0, 1, len(images)) + entries + data)


def main(out):
    out = Path(out)
    # The 16 colours of the classic VGA palette.
    vga = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    images = []
    for size in SIZES:
        c = Canvas(size)
        console(c, body=5, screen=6, button=0, light=15)
        images.append((c, vga, 4))
    write_ico(out / "main.ico", images)

    # 256 colours: a ramp of purples for the body, then greys.
    palette = [(0, 0, 0)] * 256
    for i in range(64):
        palette[i] = (60 + i * 2, 30 + i, 120 + i * 2)
    for i in range(64, 256):
        g = (i - 64) * 255 // 191
        palette[i] = (g, g, g)
    palette[200] = (40, 150, 160)
    colours = {"body": 20, "screen": 200, "button": 64, "light": 255, "border": 250,
               "paper": 255, "ink": 120}
    # The other sizes in 16 colours: the same ones, picked from that palette.
    used = sorted(set(colours.values()))
    small = [palette[i] for i in used] + [(0, 0, 0)] * (16 - len(used))
    images = []
    for size in SIZES:
        c = Canvas(size)
        index = (lambda name: colours[name]) if size == DESIGN else \
            (lambda name: used.index(colours[name]))
        console(c, body=index("body"), screen=index("screen"), button=index("button"),
                light=index("light"))
        page(c, border=index("border"), paper=index("paper"), ink=index("ink"))
        images.append((c, palette, 8) if size == DESIGN else (c, small, 4))
    write_ico(out / "readme.ico", images)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
