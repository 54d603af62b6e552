#!/usr/bin/env bash
# Installs the Debian packages the Windows build and its tests need, and only those that
# are missing: the cross tool chain, what unpacks Debian's source packages and builds
# them, wine, and the X and sound servers the tests run on.
set -euo pipefail

packages=(
  # cross tool chain (posix threads for std::thread), zlib already built for it
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  # fetching, unpacking and building the dependencies' source packages
  apt dpkg-dev xz-utils make cmake ninja-build pkg-config
  # the Windows tests: wine (its commands on the path, and the 64-bit loader), one X server, a sound server with a null sink
  wine wine64 xvfb xauth pulseaudio pulseaudio-utils
)

exec bash "$(dirname "$0")/../install-packages.sh" windows "${packages[@]}"
