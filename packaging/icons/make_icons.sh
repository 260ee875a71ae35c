#!/bin/sh
# Renders vardo.svg to the PNG sizes of the hicolor icon theme (16 .. 256 pixels), beside itself.
# The PNGs are committed; run this after changing the drawing. Needs rsvg-convert (librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --output "vardo-$size.png" vardo.svg
done
# The icon of the Windows program and of its .vardo files: the PNGs in one .ico (PNG entries).
/usr/bin/python3 - <<'PY'
import struct
sizes = [16, 24, 32, 48, 64, 128, 256]
images = [open(f"vardo-{s}.png", "rb").read() for s in sizes]
head = struct.pack("<HHH", 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
entries = b""
for s, data in zip(sizes, images):
    entries += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
open("vardo.ico", "wb").write(head + entries + b"".join(images))
PY
