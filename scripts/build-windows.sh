#!/usr/bin/env bash
# Builds Zorvane for 64-bit Windows with mingw-w64 in one command: installs the cross tool
# chain and wine when they are missing, cross-builds the dependencies once into a cache
# outside the clone (scripts/windows/build-deps.sh), then configures build-windows/ and
# builds the runtime, the player, the pack tool, the examples and the tests.
# Usage: bash scripts/build-windows.sh [--deps-only] [--build-dir DIR]
#   ZRV_WINDOWS_DEPS=DIR   where the dependencies are kept (default ~/.cache/zorvane/windows-deps)
#   ZRV_JOBS=N             parallel jobs (default 2)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/windows/common.sh"

deps_only=0
build_dir=$root/build-windows
while [ $# -gt 0 ]; do
  case "$1" in
    --deps-only) deps_only=1 ;;
    --build-dir) build_dir=$2; shift ;;
    *) zrv_win_die "usage: build-windows.sh [--deps-only] [--build-dir DIR]" ;;
  esac
  shift
done

bash "$root/scripts/windows/install-tools.sh"
# The build also makes media and a host copy of the pack tool with the Linux packages.
bash "$root/scripts/install-deps.sh"

start=$SECONDS
prefixes=$("$root/scripts/windows/build-deps.sh" | paste -sd';')
zrv_win_log "dependencies ready in $((SECONDS - start)) s"
[ "$deps_only" -eq 0 ] || { printf '%s\n' "${prefixes//;/$'\n'}"; exit 0; }

start=$SECONDS
launchers=()
if command -v ccache >/dev/null; then
  launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$build_dir"
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DZRV_WINDOWS_DEPS="$prefixes" \
  -DZRV_BENCH=OFF "${launchers[@]}" >"$build_dir/configure.log" 2>&1 || {
  cat "$build_dir/configure.log" >&2
  zrv_win_die "configuring $build_dir failed"
}
nice -n 10 cmake --build "$build_dir" -j"$zrv_win_jobs"
zrv_win_log "Windows build done in $((SECONDS - start)) s: $build_dir"
