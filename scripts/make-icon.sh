#!/usr/bin/env bash
# Draws the project's icon with ImageMagick: a rounded square from deep blue to violet with
# four equaliser bars and a play triangle, 64 x 64 RGBA. The runtime carries it as the
# class icon of every window it creates; the player's desktop entry shows it too.
#
#   scripts/make-icon.sh [output.png]     (default: runtime/display/zorvane_icon.png)
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-runtime/display/zorvane_icon.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# No clock or host detail may reach the file.
export SOURCE_DATE_EPOCH=0 MAGICK_THREAD_LIMIT=1

# Drawn at four times the size and scaled down, which smooths every edge.
convert -size 256x256 gradient:'#1d3b8f'-'#7b2fb0' "$work/gradient.png"
convert -size 256x256 xc:none -fill white -draw 'roundrectangle 8,8 247,247 48,48' "$work/mask.png"
convert "$work/gradient.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite "$work/tile.png"
convert "$work/tile.png" \
  -fill '#f5f7ff' -draw 'roundrectangle 40,140 64,208 6,6' \
  -fill '#f5f7ff' -draw 'roundrectangle 76,100 100,208 6,6' \
  -fill '#f5f7ff' -draw 'roundrectangle 112,60 136,208 6,6' \
  -fill '#f5f7ff' -draw 'roundrectangle 148,120 172,208 6,6' \
  -fill '#ffcc33' -draw 'polygon 180,48 228,80 180,112' \
  "$work/large.png"
convert "$work/large.png" -filter Lanczos -resize 64x64 -strip -define png:color-type=6 -depth 8 "PNG32:$output"
echo "make-icon: wrote $output"
