#!/usr/bin/env bash
# Makes the music player's own media from free sources, the same bytes on every run:
#   font.bmp   DejaVu Sans Mono (Debian package fonts-dejavu-core) as a 128 x 192 bitmap
#              font: 16 x 16 cells of 8 x 12 pixels for the codes 0..255 (printable ASCII
#              and Latin-1), white on black, black being the transparent colour of fonts
#   music.mp3  a short start-up tune, four rising notes synthesised with sox
#   image.png  64 x 64 texture of the turning cube, drawn with ImageMagick
# Usage: make-player-media.sh OUTPUT_FOLDER
set -euo pipefail
out=${1:?output folder}
font=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
if [ ! -f "$font" ]; then
  echo "make-player-media: $font is missing (Debian package fonts-dejavu-core)" >&2
  exit 1
fi
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# No clock or host detail may reach the files.
export SOURCE_DATE_EPOCH=0 MAGICK_THREAD_LIMIT=1

# The glyphs are drawn one cell at a time into one picture, all in a single ImageMagick run.
# '%' and '\' are escapes of -annotate and a leading '@' names a file; each is given so that
# it draws itself.
draw=()
for code in $(seq 32 126) $(seq 160 255); do
  if [ "$code" -lt 128 ]; then
    char=$(printf "\\$(printf '%03o' "$code")")
  else
    char=$(printf "\\$(printf '%03o' "$code")" | iconv -f LATIN1 -t UTF-8)
  fi
  case "$char" in
    %) char='%%' ;;
    \\) char='\\' ;;
    @) char='\@' ;;
  esac
  x=$(( (code % 16) * 8 ))
  y=$(( (code / 16) * 12 ))
  draw+=(-annotate "+$x+$y" "$char")
done
convert -size 128x192 xc:black +antialias -font "$font" -pointsize 10 -fill white \
  -gravity NorthWest "${draw[@]}" -type TrueColor -strip "BMP3:$out/font.bmp"

# C, E, G and the high C, each a short plucked note, with a little echo.
notes=()
for frequency in 523.25 659.25 783.99 1046.5; do
  sox -R -n -r 44100 -c 1 -b 16 "$work/note$frequency.wav" synth 0.22 pluck "$frequency" vol 0.6 fade 0 0.22 0.08
  notes+=("$work/note$frequency.wav")
done
sox -R "${notes[@]}" "$work/tune.wav" pad 0 0.4 echo 0.8 0.7 60 0.3
ffmpeg -hide_banner -loglevel error -nostdin -y -i "$work/tune.wav" -map_metadata -1 \
  -fflags +bitexact -flags:a +bitexact -c:a libmp3lame -b:a 128k "$out/music.mp3"

# A tile pattern with a bright frame: the cube's faces show it turning.
convert -size 64x64 gradient:'#f0c040-#4060e0' \
  -fill none -stroke white -strokewidth 3 -draw 'rectangle 2,2 61,61' \
  -stroke '#202020' -strokewidth 2 -draw 'line 0,32 63,32' -draw 'line 32,0 32,63' \
  -fill white -stroke none -draw 'circle 32,32 32,24' \
  -strip -define png:exclude-chunks=date,time -define png:color-type=2 "PNG24:$out/image.png"
echo "make-player-media: wrote font.bmp, music.mp3 and image.png to $out"
