#!/usr/bin/env bash
# Makes the media the audio tests play, from nothing but sox and FFmpeg: 440 Hz tones in
# the formats music is played from, a short tone for looping, and a tiny 4:3 movie.
# Usage: make-test-media.sh OUTPUT_FOLDER
set -euo pipefail
out=${1:?output folder}
mkdir -p "$out"
cd "$out"

ffmpeg_quiet=(ffmpeg -hide_banner -loglevel error -nostdin -y)

# Mono, 16 bits, amplitude one half, so that levels are easy to predict.
sox -n -r 44100 -c 1 -b 16 tone440.wav synth 1 sine 440 vol 0.5
sox -n -r 44100 -c 1 -b 16 short300.wav synth 0.3 sine 440 vol 0.5
sox -n -r 22050 -c 2 -b 16 long3s.wav synth 3 sine 440 vol 0.5

"${ffmpeg_quiet[@]}" -i tone440.wav -c:a libmp3lame -b:a 128k tone440.mp3
"${ffmpeg_quiet[@]}" -i tone440.wav -c:a wmav2 -b:a 128k tone440.wma
"${ffmpeg_quiet[@]}" -i tone440.wav -c:a libvorbis -q:a 4 tone440.ogg
"${ffmpeg_quiet[@]}" -i tone440.wav -c:a flac tone440.flac

# 160 x 120 (4:3): red above, blue below, so that a picture upside down shows; ten seconds
# at five pictures a second, with a tone.
"${ffmpeg_quiet[@]}" -f lavfi -i "color=c=red:s=160x60:r=5:d=10" -f lavfi -i "color=c=blue:s=160x60:r=5:d=10" \
  -f lavfi -i "sine=frequency=440:duration=10:sample_rate=22050" \
  -filter_complex "[0:v][1:v]vstack[v]" -map "[v]" -map 2:a \
  -c:v mjpeg -q:v 5 -c:a pcm_s16le -shortest movie43.avi
# Its first second, for playing in a loop.
"${ffmpeg_quiet[@]}" -i movie43.avi -t 1 -c copy movie1s.avi
