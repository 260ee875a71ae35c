#!/bin/sh
# Renders vardo.svg to the PNG sizes of the hicolor icon theme (16 .. 256 pixels), beside itself.
# The PNGs are committed; run this after changing the drawing. Needs rsvg-convert (librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --output "vardo-$size.png" vardo.svg
done
