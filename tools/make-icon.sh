#!/usr/bin/env bash
# Draws the program's icon (32 x 32, 16 colours): a disc in a box on a light ground, the
# launcher's medium and what it installs. Writes res/korvelt.ico; run it again after changing
# the drawing and commit the result.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 32x32 xc:'#c0c0c0' \
    -fill '#000080' -draw 'rectangle 2,12 29,29' \
    -fill '#808080' -draw 'rectangle 4,14 27,27' \
    -fill '#ffffff' -stroke '#000000' -draw 'circle 16,11 16,2' \
    -fill '#00ffff' -stroke '#008080' -draw 'circle 16,11 16,6' \
    -fill '#c0c0c0' -stroke '#000000' -draw 'circle 16,11 16,9' \
    -fill '#ffff00' -stroke none -draw 'rectangle 6,22 25,25' \
    +antialias -dither None -colors 16 -type Palette "$tmp/icon.bmp"
convert "$tmp/icon.bmp" -type Palette -colors 16 res/korvelt.ico
