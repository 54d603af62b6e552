#!/usr/bin/env bash
# Sets up the machine, builds the music player and starts it in FOLDER (default: the demo
# folder the build prepares).
# Usage: bash scripts/run.sh [FOLDER]
set -euo pipefail
folder=""
if [ $# -gt 0 ]; then
  if ! folder=$(cd "$1" 2>/dev/null && pwd); then
    echo "run.sh: $1 is not a folder" >&2
    exit 1
  fi
fi
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target zorvane_player zrv_player_demo
exec build/app/zorvane_player "${folder:-$PWD/build/app/demo}"
