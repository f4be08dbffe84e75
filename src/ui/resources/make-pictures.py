#!/usr/bin/env python3
"""Draws the window's banner (420 x 60, stored as a progressive JPEG) and the program's icon
(64 x 64 PNG): a dark technical background, a grid, circuit traces and the tool's name in a
blocky pixel font. Needs only Python and cjpeg (Debian: libjpeg-turbo-progs).

    python3 make-pictures.py   # writes banner.jpg, icon.png and icon.ico beside this script
"""
import os
import random
import struct
import subprocess
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# 5 x 7 glyphs, one string of five bits per row.
FONT = {
    "V": ["10001", "10001", "10001", "10001", "01010", "01010", "00100"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    " ": ["00000"] * 7,
}


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(0, 0, 0)] * width for _ in range(height)]

    def put(self, x, y, colour, alpha=1.0):
        if 0 <= x < self.width and 0 <= y < self.height:
            old = self.pixels[y][x]
            self.pixels[y][x] = tuple(round(o + (c - o) * alpha) for o, c in zip(old, colour))

    def background(self, top, bottom, grid, step):
        for y in range(self.height):
            t = y / max(1, self.height - 1)
            row = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            for x in range(self.width):
                self.pixels[y][x] = row
        for x in range(0, self.width, step):
            for y in range(self.height):
                self.put(x, y, grid, 0.5)
        for y in range(0, self.height, step):
            for x in range(self.width):
                self.put(x, y, grid, 0.5)

    def traces(self, colour, count, seed):
        rng = random.Random(seed)
        for _ in range(count):
            x, y = rng.randrange(self.width), rng.randrange(self.height)
            for _ in range(rng.randrange(2, 5)):
                dx, dy = rng.choice([(1, 0), (-1, 0), (0, 1), (0, -1)])
                for _ in range(rng.randrange(8, 40)):
                    self.put(x, y, colour, 0.35)
                    x, y = x + dx, y + dy
            for ox in range(-1, 2):
                for oy in range(-1, 2):
                    self.put(x + ox, y + oy, colour, 0.6)

    def text(self, x, y, words, scale, colour, glow):
        for ch in words:
            glyph = FONT[ch]
            for row, bits in enumerate(glyph):
                for col, bit in enumerate(bits):
                    if bit != "1":
                        continue
                    for sy in range(scale):
                        for sx in range(scale):
                            px, py = x + col * scale + sx, y + row * scale + sy
                            for gx in (-1, 1):
                                self.put(px + gx, py, glow, 0.25)
                                self.put(px, py + gx, glow, 0.25)
                            self.put(px, py, colour)
            x += 6 * scale

    def ppm(self):
        return b"P6 %d %d 255\n" % (self.width, self.height) + bytes(
            channel for row in self.pixels for pixel in row for channel in pixel)

    def png(self):
        raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in self.pixels)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def banner():
    canvas = Canvas(420, 60)
    canvas.background((8, 14, 28), (18, 32, 54), (36, 58, 92), 10)
    canvas.traces((43, 212, 255), 14, seed=7)
    canvas.text(18, 13, "VESTREL", 5, (226, 246, 255), (43, 212, 255))
    canvas.text(250, 24, "MATERIAL", 2, (120, 200, 235), (20, 60, 90))
    canvas.text(250, 42, "DICTIONARY", 1, (90, 160, 200), (20, 60, 90))
    ppm = os.path.join(HERE, "banner.ppm")
    with open(ppm, "wb") as out:
        out.write(canvas.ppm())
    subprocess.run(["cjpeg", "-progressive", "-quality", "92", "-optimize",
                    "-outfile", os.path.join(HERE, "banner.jpg"), ppm], check=True)
    os.remove(ppm)


def icon():
    canvas = Canvas(64, 64)
    canvas.background((8, 14, 28), (18, 32, 54), (36, 58, 92), 8)
    canvas.traces((43, 212, 255), 4, seed=3)
    canvas.text(17, 11, "V", 6, (226, 246, 255), (43, 212, 255))
    png = canvas.png()
    with open(os.path.join(HERE, "icon.png"), "wb") as out:
        out.write(png)
    write_ico(png)


def write_ico(png):
    """The icon for Windows: one 64 x 64 picture, stored as PNG inside the icon file."""
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 64, 64, 0, 0, 1, 32, len(png), 6 + 16)
    with open(os.path.join(HERE, "icon.ico"), "wb") as out:
        out.write(header + entry + png)


if __name__ == "__main__":
    banner()
    icon()
