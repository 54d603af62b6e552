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
  # the Windows tests: wine, one X server, a sound server with a null sink
  wine64 xvfb xauth pulseaudio pulseaudio-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -gt 0 ] || exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "windows: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
echo "windows: installing ${missing[*]}" >&2
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
