#!/usr/bin/env python3
"""Writes the main window's 16 x 16 images as PNG files next to this script.

Each image is a character map; every character names a colour of PALETTE
('.' is transparent). The grey variants are derived from the coloured maps by
luminance, lightened a little so that they read as inactive.

Run:  python3 gen_images.py      (no third-party modules needed)
"""
import os
import struct
import zlib

PALETTE = {
    '.': None,
    'k': (24, 28, 40),      # outline
    # pen
    'l': (120, 170, 255),   # barrel highlight
    'b': (40, 96, 220),     # barrel
    'B': (16, 48, 150),     # barrel shadow
    'w': (250, 222, 160),   # wood, lit side
    'W': (214, 170, 104),   # wood, shaded side
    'g': (70, 70, 78),      # graphite
    'C': (236, 236, 242),   # metal highlight
    'c': (176, 178, 190),   # metal
    'd': (110, 112, 126),   # metal shadow
    # torch
    'G': (150, 150, 158),   # body highlight
    'm': (92, 92, 100),     # body
    'n': (52, 52, 60),      # body shadow
    'o': (255, 150, 20),    # switch
    'R': (255, 120, 110),   # head highlight
    'r': (220, 30, 30),     # head
    'D': (140, 10, 16),     # head shadow
    'Y': (255, 255, 210),   # lens, bright
    'y': (255, 224, 64),    # lens
    'v': (255, 236, 120),   # light rays
    # arrows
    'a': (150, 190, 255),   # arrow highlight
    'A': (40, 100, 230),    # arrow fill
    'N': (20, 50, 150),     # arrow shadow
}

PEN = [
    "................",
    "............kk..",
    "...........kCCk.",
    "..........kCccdk",
    ".........klbBdk.",
    "........klbBBk..",
    ".......klbBBk...",
    "......klbBBk....",
    ".....klbBBk.....",
    "....kCcdBk......",
    "...kwCcdk.......",
    "..kwwWWk........",
    "..kwWWk.........",
    ".kggkk..........",
    ".kgk............",
    ".kk.............",
]

TORCH = [
    "................",
    "..........kkkk..",
    ".........kYYYYk.",
    "........kRYYYyyk",
    ".......kRRkYYyyk",
    ".......kRrrkyyyk",
    "......kRrrrrkyk.",
    "......kRrrrDDkk.",
    ".....kkkrrDDk...",
    "....kGmnkDDk....",
    "...kGonk.kk.....",
    "..kGmnk.........",
    ".kGmnk..........",
    ".kmnk...........",
    ".kkk............",
    "................",
]

UP_ARROW = [
    "................",
    ".......kk.......",
    "......kaAk......",
    ".....kaAANk.....",
    "....kaAAANNk....",
    "...kaAAAANNNk...",
    "..kaAAAAANNNNk..",
    ".kkkkaAANNkkkkk.",
    ".....kaANNk.....",
    ".....kaANNk.....",
    ".....kaANNk.....",
    ".....kaANNk.....",
    ".....kaANNk.....",
    ".....kaANNk.....",
    ".....kkkkkk.....",
    "................",
]


def down_arrow():
    rows = list(reversed(UP_ARROW))
    # Keep the light from the upper left: the top cap row of the shaft is now
    # an outline row, and the highlight stays on the left edges.
    return rows


def grey(rgb):
    r, g, b = rgb
    y = 0.299 * r + 0.587 * g + 0.114 * b
    v = int(round(44 + y * 0.72))
    return (v, v, v)


def render(rows, to_grey):
    assert len(rows) == 16, len(rows)
    pixels = []
    for row in rows:
        assert len(row) == 16, row
        line = []
        for ch in row:
            c = PALETTE[ch]
            if c is None:
                line.append((0, 0, 0, 0))
            else:
                if to_grey:
                    c = grey(c)
                line.append((c[0], c[1], c[2], 255))
        pixels.append(line)
    return pixels


def write_png(path, pixels):
    h = len(pixels)
    w = len(pixels[0])
    raw = b''.join(b'\x00' + b''.join(struct.pack('4B', *p) for p in row) for row in pixels)

    def chunk(tag, data):
        return (struct.pack('>I', len(data)) + tag + data +
                struct.pack('>I', zlib.crc32(tag + data) & 0xFFFFFFFF))

    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    # The main window's order: 0/1 up arrow, 2/3 down arrow, 4/5 pen, 6/7 torch.
    images = [UP_ARROW, down_arrow(), PEN, TORCH]
    index = 0
    for rows in images:
        for to_grey in (False, True):
            write_png(os.path.join(here, 'img%d.png' % index), render(rows, to_grey))
            index += 1


if __name__ == '__main__':
    main()
