#!/usr/bin/env bash
# Sets up the machine, builds the runtime and runs the main program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target zorvane_demo
exec build/examples/zorvane_demo "$@"
