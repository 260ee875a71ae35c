#!/usr/bin/python3
"""Writes vardo.png, the program's icon: a rigid cross-span (two masts and a truss crossbeam)
carrying three contact suspensions over the tracks. 32 x 32 pixels, 16 colours (a palette PNG
with a transparent background). Needs only the standard library.

Run: /usr/bin/python3 about/make_icon.py (writes beside itself).
"""
import os
import struct
import zlib

SIZE = 32

PALETTE = [
    (0, 0, 0),  # 0 transparent
    (0, 0, 0),  # 1 black
    (128, 128, 128),  # 2 dark grey
    (192, 192, 192),  # 3 light grey
    (255, 255, 255),  # 4 white
    (0, 0, 128),  # 5 navy
    (0, 0, 255),  # 6 blue
    (128, 0, 0),  # 7 dark red
    (255, 0, 0),  # 8 red
    (0, 128, 0),  # 9 dark green
    (0, 255, 0),  # 10 green
    (0, 128, 128),  # 11 teal
    (255, 255, 0),  # 12 yellow
    (128, 128, 0),  # 13 olive
    (128, 0, 128),  # 14 purple
    (0, 255, 255),  # 15 cyan
]


def draw():
    px = [[0] * SIZE for _ in range(SIZE)]

    def rect(x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = c

    # Ground and two tracks.
    rect(0, 29, 31, 31, 9)
    for x in (8, 12, 19, 23):
        rect(x, 28, x, 28, 2)
    # Masts: grey with a dark edge.
    for x0 in (2, 27):
        rect(x0, 4, x0 + 2, 30, 3)
        rect(x0, 4, x0, 30, 2)
        rect(x0 + 2, 4, x0 + 2, 30, 1)
    # Crossbeam: two chords with a zigzag lattice between them.
    rect(1, 5, 30, 5, 5)
    rect(1, 9, 30, 9, 5)
    for i, x in enumerate(range(5, 27)):
        step = i % 6
        y = 6 + (step if step < 3 else 5 - step)
        px[y][x] = 6
    # Three suspensions: hanger, insulator, catenary and contact wire.
    for x in (10, 16, 22):
        rect(x, 10, x, 12, 1)
        rect(x - 1, 13, x + 1, 14, 7)
        rect(x, 15, x, 19, 1)
    rect(6, 17, 26, 17, 13)
    rect(6, 20, 26, 20, 12)
    for x in (9, 13, 19, 23):
        rect(x, 18, x, 19, 13)
    return px


def png(px):
    raw = b"".join(b"\x00" + bytes((px[y][x] << 4) | px[y][x + 1] for x in range(0, SIZE, 2))
                   for y in range(SIZE))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 4, 3, 0, 0, 0)  # 4-bit palette
    palette = b"".join(bytes(c) for c in PALETTE)
    transparency = b"\x00"  # index 0 is transparent, the rest opaque
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette) +
            chunk(b"tRNS", transparency) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "vardo.png")
    with open(out, "wb") as f:
        f.write(png(draw()))
