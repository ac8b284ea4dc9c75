#!/usr/bin/env bash
# Draws the program icon's PNG sizes for the icon theme from icons/karvo.svg (ImageMagick).
# Run from this folder after changing the picture: bash make_icons.sh
set -euo pipefail
for size in 16 22 24 32 48 64 128 256; do
    convert -background none -density $((96 * size / 64 + 1)) icons/karvo.svg \
        -resize ${size}x${size} -strip -depth 8 "PNG32:icons/karvo-${size}.png"
done
