#!/usr/bin/python3
"""Writes 32761.CUR, the pick pointer of Vardo: a black-outlined white arrow with a small blue
square beside it, marking fields that take their value from the reference table on display.

The file is a Windows cursor: a directory with one 32 x 32 image, stored as a 32-bit BGRA DIB
followed by its 1-bit AND mask. Run: /usr/bin/python3 data/make_cursor.py (writes beside itself).
"""
import os
import struct

SIZE = 32
HOTSPOT = (1, 1)

# The arrow: row by row, '#' outline, '.' fill, ' ' transparent; the tip is the hotspot.
ARROW = [
    "#",
    "##",
    "#.#",
    "#..#",
    "#...#",
    "#....#",
    "#.....#",
    "#......#",
    "#.......#",
    "#........#",
    "#.....#####",
    "#..#..#",
    "#.# #..#",
    "##  #..#",
    "#    #..#",
    "     #..#",
    "      ##",
]


def pixels():
    grid = [[None] * SIZE for _ in range(SIZE)]
    for y, row in enumerate(ARROW):
        for x, ch in enumerate(row):
            if ch == "#":
                grid[y + 1][x + 1] = (0, 0, 0)
            elif ch == ".":
                grid[y + 1][x + 1] = (255, 255, 255)
    # The table square: a blue frame with a white cell grid, lower right of the arrow.
    for y in range(16, 28):
        for x in range(14, 28):
            edge = y in (16, 27) or x in (14, 27) or y == 21 or x == 20
            grid[y][x] = (0, 0, 200) if edge else (255, 255, 255)
    return grid


def cursor_bytes():
    grid = pixels()
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # DIB rows run bottom-up
        bits = 0
        row_mask = bytearray()
        for x in range(SIZE):
            p = grid[y][x]
            if p is None:
                xor += bytes((0, 0, 0, 0))
                bits = (bits << 1) | 1
            else:
                r, g, b = p
                xor += bytes((b, g, r, 255))
                bits <<= 1
            if x % 8 == 7:
                row_mask.append(bits & 0xFF)
                bits = 0
        mask += row_mask  # 32 pixels make 4 bytes: already a multiple of 4
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOTSPOT[0], HOTSPOT[1], len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "32761.CUR")
    with open(out, "wb") as f:
        f.write(cursor_bytes())
    print("written", out)
