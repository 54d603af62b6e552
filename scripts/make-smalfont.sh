#!/usr/bin/env bash
# Produces the runtime's default small font "smalfont.png" from DejaVu Sans Mono Bold (a
# free font, Debian package fonts-dejavu-core): a 128 x 128 RGB image of 16 x 8 cells of
# 8 x 16 pixels for the codes 0..127, white glyphs with a dark outline on black, black being
# the transparent colour of font images. Codes below 32 and 127 stay empty.
#
#   scripts/make-smalfont.sh [output.png]     (default: runtime/gfx2d/smalfont.png)
set -euo pipefail
cd "$(dirname "$0")/.."

font=/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
output=${1:-runtime/gfx2d/smalfont.png}
if [ ! -f "$font" ]; then
  echo "make-smalfont: $font is missing (Debian package fonts-dejavu-core)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# ImageMagick reads '%' as a property escape, '\' as an escape and a leading '@' as a
# file name; each is given so that it draws itself.
glyph_text() {
  case "$1" in
    %) printf '%%%%' ;;
    \\) printf '\\\\' ;;
    @) printf '\\@' ;;
    *) printf '%s' "$1" ;;
  esac
}

cells=()
for code in $(seq 0 127); do
  cell="$work/$(printf '%03d' "$code").png"
  if [ "$code" -lt 32 ] || [ "$code" -eq 127 ]; then
    convert -size 8x16 xc:black "$cell"
  else
    char=$(printf "\\$(printf '%03o' "$code")")
    # The glyph without smoothing (every pixel is either glyph or not), its outline grown
    # one pixel outwards in the dark grey of the built-in font, the glyph on top.
    convert -size 8x16 xc:black +antialias -font "$font" -pointsize 13 -fill white \
      -gravity NorthWest -annotate +0+0 "$(glyph_text "$char")" "$work/glyph.png"
    convert "$work/glyph.png" -morphology Dilate Diamond:1 -fill 'rgb(8,8,8)' -opaque white "$work/outline.png"
    convert "$work/outline.png" "$work/glyph.png" -compose Lighten -composite "$cell"
  fi
  cells+=("$cell")
done

montage "${cells[@]}" -tile 16x8 -geometry 8x16+0+0 -background black "$work/grid.png"
# RGB without alpha, so that black is the transparent colour when the runtime loads it.
convert "$work/grid.png" -strip -define png:color-type=2 -depth 8 "PNG24:$output"
echo "make-smalfont: wrote $output"
