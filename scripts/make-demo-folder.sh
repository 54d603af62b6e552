#!/usr/bin/env bash
# Makes the folder the music player shows when it is started without one: a few short
# tunes synthesised with sox and encoded with FFmpeg as wav, mp3 and wma, a sub-folder with
# two more, and "media/text.txt", the marker that makes the first start play the start-up
# tune. The same bytes on every run.
# Usage: make-demo-folder.sh OUTPUT_FOLDER
set -euo pipefail
out=${1:?output folder}
rm -rf "$out"
mkdir -p "$out/media" "$out/More tunes"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ffmpeg_quiet=(ffmpeg -hide_banner -loglevel error -nostdin -y)
# One plucked note per frequency, each the given seconds long, one after the other.
melody() {
  local seconds=$1 target=$2
  shift 2
  local notes=()
  for frequency in "$@"; do
    sox -R -n -r 44100 -c 1 -b 16 "$work/n$frequency.wav" synth "$seconds" pluck "$frequency" vol 0.6 fade 0 "$seconds" 0.05
    notes+=("$work/n$frequency.wav")
  done
  sox -R "${notes[@]}" "$target"
}
encode() {
  "${ffmpeg_quiet[@]}" -i "$1" -map_metadata -1 -fflags +bitexact -flags:a +bitexact "${@:3}" "$2"
}

melody 0.3 "$out/Morning chimes.wav" 392 440 494 523.25 587.33 659.25 587.33 523.25
melody 0.25 "$work/walk.wav" 261.63 329.63 392 329.63 293.66 349.23 440 349.23
encode "$work/walk.wav" "$out/Evening walk.mp3" -c:a libmp3lame -b:a 128k
melody 0.4 "$work/hum.wav" 220 246.94 261.63 246.94 220 196
encode "$work/hum.wav" "$out/Low hum.wma" -c:a wmav2 -b:a 128k
melody 0.2 "$out/More tunes/Steps.wav" 523.25 493.88 440 392 349.23 329.63 293.66 261.63
melody 0.35 "$work/bells.wav" 659.25 783.99 1046.5 783.99
encode "$work/bells.wav" "$out/More tunes/Bells.mp3" -c:a libmp3lame -b:a 128k

echo "The player plays its start-up tune once while this file is here." > "$out/media/text.txt"
