#!/usr/bin/env bash
# Installs the Debian packages the runtime, its tools and its tests need, and only those
# that are missing: a machine that already has everything is left alone and apt's package
# lists are not refreshed.
set -euo pipefail

packages=(
  # tool chain
  build-essential g++ clang cmake ninja-build pkg-config git
  # tests, benchmarks, fuzzing (libFuzzer ships in clang's runtime package)
  libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  # the download benchmark measures the runtime's HTTP GET against curl
  curl
  # platform layer, OpenGL through Mesa
  libsdl2-dev libgl-dev libgl1-mesa-dri libglx-mesa0 libxtst-dev
  # media decoding
  libavformat-dev libavcodec-dev libavutil-dev libswresample-dev libswscale-dev
  # the desktop's media controls, and a private session bus with a client for their tests
  libdbus-1-dev dbus-daemon dbus-bin
  # images and packs
  libpng-dev libjpeg-dev zlib1g-dev liblzo2-dev
  # a real X server for display and input tests, and tools to look at and drive it
  xvfb xauth xdotool imagemagick x11-utils
  # the console window a program without a terminal opens
  xterm
  # the fonts SDL's message boxes are drawn with (Xvfb alone has none that fit)
  xfonts-base
  # producing and measuring test media
  ffmpeg sox
  # the free font scripts/make-smalfont.sh draws the default small font from
  fonts-dejavu-core
  # the player's Debian package: CPack derives its dependencies with dpkg-shlibdeps (which
  # needs file), and its test checks the desktop entry
  dpkg-dev file desktop-file-utils
)

exec bash "$(dirname "$0")/install-packages.sh" install-deps "${packages[@]}"
