#!/usr/bin/env bash
# Draws the sample medium's two pictures with ImageMagick: a soft 64 x 64 background tile
# (korvelt/instapp.bmp, repeated behind the white list) and the 507 x 64 title banner
# (korvelt/instttl.bmp). Both are 8-bit bottom-up bitmaps with the 40-byte info header and a
# colour table, the form the launcher builds its palettes from.
# Usage: tools/make-sample-pictures.sh [folder]   (default: examples/medium/korvelt)
set -euo pipefail
out="${1:-$(dirname "$0")/../examples/medium/korvelt}"
mkdir -p "$out"
latin=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
gothic=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf

# The tile: pale blue with light rings at the centre and the four corners, so that copies
# side by side join without a seam; the blur wraps around the edges for the same reason.
convert -size 64x64 radial-gradient:'#e6eef7-#d2dfed' \
    -fill none -stroke '#eef4fa' -strokewidth 3 \
    -draw 'circle 32,32 32,16' \
    -draw 'circle 0,0 0,16' -draw 'circle 64,0 64,16' \
    -draw 'circle 0,64 0,48' -draw 'circle 64,64 64,48' \
    -stroke '#cfdcea' -strokewidth 1 -draw 'point 32,32' \
    -virtual-pixel tile -blur 0x1.2 \
    -type Palette -colors 256 -compress None BMP3:"$out/instapp.bmp"

# The banner: a deep blue to light blue gradient with the name and a line of Japanese.
convert -size 64x507 gradient:'#6fa8dc-#1f4e79' -rotate 90 \
    -fill '#ffffff33' -draw 'circle 470,-30 470,60' \
    -font "$latin" -pointsize 38 -fill '#0d2a45' -annotate +23+47 'Korvelt' \
    -fill white -annotate +20+44 'Korvelt' \
    -font "$gothic" -pointsize 15 -fill '#eaf2fb' -annotate +200+42 'アプリケーションのインストール' \
    -type Palette -colors 256 -compress None BMP3:"$out/instttl.bmp"

for f in "$out/instapp.bmp" "$out/instttl.bmp"; do
    identify -format '%f: %wx%h, %z bits per channel, %k colours\n' "$f"
done
