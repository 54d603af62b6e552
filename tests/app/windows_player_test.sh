#!/usr/bin/env bash
# The Windows player under wine, driven through the X server as a user drives it (XTest,
# by xdotool): its window and title, the idle picture against the same reference picture
# as on Linux, the drive list, a click on a music file that plays it (measured in what
# SDL's disk driver wrote) and Escape, which ends it with exit code 0. Runs in the wine
# session of scripts/windows/run-tests.sh.
#   windows_player_test.sh PLAYER.exe REFERENCE_DIR
set -uo pipefail
player=$1 reference=$2
[ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] || { echo "no wine session (scripts/windows/run-tests.sh)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/zrv-player.XXXXXX") || exit 1
pid=
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# start FOLDER: the player in FOLDER, its sound into $work/sound.raw; sets pid and window.
start() {
  mkdir -p "$work/tmp"
  rm -f "$work/sound.raw"
  (cd "$1" && ZRV_WINE_TMP=$(windows_path "$work/tmp") SDL_AUDIODRIVER=disk \
    SDL_DISKAUDIOFILE=$(windows_path "$work/sound.raw") \
    exec wine "$player" "$(windows_path "$1")" >"$work/stdout" 2>"$work/stderr" </dev/null) &
  pid=$!
  window=
  for _ in $(seq 1 150); do
    window=$(xdotool search --name '^Zorvane kelvo_5$' 2>/dev/null | head -n1)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "FAILED: no window \"Zorvane kelvo_5\" within 30 s"; cat "$work/stderr"; exit 1; }
  # The first frames come once the window has its final size.
  for _ in $(seq 1 150); do
    [ "$(pixel 1 1)" = "125,125,125" ] && break
    sleep 0.2
  done
}
# The window's drawing area as raw RGB in FILE.
shot() { import -window "$window" -depth 8 "rgb:$1" 2>/dev/null; }
pixel() {
  import -window "$window" -crop "1x1+$1+$2" -depth 8 rgb:- 2>/dev/null | od -An -tu1 | awk '{ print $1 "," $2 "," $3 }'
}
wait_for_pixel() {  # wait_for_pixel X Y R,G,B: true once the pixel holds that colour (3 levels either way)
  local seen
  for _ in $(seq 1 75); do
    seen=$(pixel "$1" "$2")
    awk -v a="$seen" -v b="$3" 'BEGIN { split(a, p, ","); split(b, q, ",")
      for (c = 1; c <= 3; c++) if (p[c] - q[c] > 3 || q[c] - p[c] > 3) exit 1 }' && return 0
    sleep 0.2
  done
  echo "pixel $1,$2 is $seen, not $3"
  return 1
}
# Pointer positions are pixels of the drawing area; a press lasts some frames, as a hand's.
click() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + $1)) $((Y + $2))
  sleep 0.3
  xdotool mousedown 1
  sleep 0.3
  xdotool mouseup 1
}
end_with_escape() {
  xdotool key Escape
  local status
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
  wait "$pid"
  status=$?
  pid=
  check "Escape ends the player with exit code 0 (got $status)" test "$status" -eq 0
}
# What the disk driver wrote (float stereo at 48000 Hz): the tone's length and pitch.
tone() {
  python3 - "$work/sound.raw" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
left = struct.unpack('<%df' % (len(data) // 8 * 2), data[:len(data) // 8 * 8])[0::2]
loud = [i for i, v in enumerate(left) if abs(v) > 0.01]
if not loud:
    print('0 0')
else:
    part = left[loud[0]:loud[-1]]
    rises = sum(1 for a, b in zip(part, part[1:]) if a < 0 <= b)
    seconds = len(part) / 48000
    print('%.2f %.0f' % (seconds, rises / seconds if seconds else 0))
PY
}

# 1. The idle player in the folder the Linux reference picture was made in.
mkdir -p "$work/a/start/Albums" "$work/a/start/Podcasts" "$work/a/start/Radio plays"
for file in cover.png notes.txt playlist.m3u README; do echo x >"$work/a/start/$file"; done
xdotool mousemove 0 0
start "$work/a/start"
size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
check "the window is 640 x 200 (got $size)" test "$size" = 640x200
convert "$reference/idle_player.png" -depth 8 "rgb:$work/reference.rgb"
differing=
for _ in 1 2 3 4 5; do
  shot "$work/idle.rgb"
  # The folder line holds the test's own path and is left out; 2 levels per channel and
  # 0.2 % of the pixels are allowed, as on Linux.
  differing=$(python3 - "$work/reference.rgb" "$work/idle.rgb" <<'PY'
import sys
a = open(sys.argv[1], 'rb').read(); b = open(sys.argv[2], 'rb').read()
if len(a) != len(b): print(640 * 200); sys.exit()
count = 0
for i in range(0, len(a), 3):
    x, y = (i // 3) % 640, (i // 3) // 640
    if 2 <= x <= 637 and 23 <= y <= 42: continue
    if max(abs(a[i + c] - b[i + c]) for c in range(3)) > 2: count += 1
print(count)
PY
)
  [ "$differing" -le 256 ] && break
  sleep 1
done
check "the idle player looks as its reference picture ($differing pixels differ, 256 allowed)" test "$differing" -le 256
# "Search" opens the drive list.
click 30 12
check "\"Search\" drops down the drive list" wait_for_pixel 4 32 125,125,125
# One item per drive wine has, each labelled as "c:" and five blanks are: the list's frame,
# met going right and down from inside it, 16 pixels a drive high and 13 cells of 8 pixels
# wide with its padding (a label "c:/" and five blanks would end 8 pixels further right).
drives=0
for link in "$WINEPREFIX"/dosdevices/[a-z]:; do [ -d "$link/" ] && drives=$((drives + 1)); done
shot "$work/list.rgb"
read -r right bottom <<<"$(python3 - "$work/list.rgb" <<'PY'
import sys
a = open(sys.argv[1], 'rb').read()
grey = lambda x, y: all(abs(a[(y * 640 + x) * 3 + c] - 125) <= 3 for c in range(3))
print(next((x for x in range(60, 640) if grey(x, 30)), -1), next((y for y in range(23, 200) if grey(60, y)), -1))
PY
)"
check "the drive list holds the $drives drives of wine, labelled \"c:\" and five blanks (right edge $right, bottom $bottom)" \
  test "$right" -eq 112 -a "$bottom" -eq $((16 * drives + 27))
end_with_escape

# 2. A click on a music file plays it: ".", "..", "song.wav" in the first column.
mkdir -p "$work/b/start"
sox -n -r 44100 -c 1 -b 16 "$work/b/start/song.wav" synth 1 sine 440 vol 0.5
start "$work/b/start"
click 30 $((48 + 27 + 7))
heard="0 0"
for _ in $(seq 1 50); do
  sleep 0.3
  heard=$(tone)
  # Once the whole second has played.
  awk -v h="$heard" 'BEGIN { split(h, p, " "); exit !(p[1] > 0.95) }' && break
done
read -r seconds hz <<<"$heard"
check "the click played the 1 s tone at 440 Hz (heard ${seconds} s at ${hz} Hz)" \
  awk -v s="$seconds" -v f="$hz" 'BEGIN { exit !(s > 0.95 && s < 1.05 && f > 430 && f < 450) }'
end_with_escape

[ "$failures" -eq 0 ]
