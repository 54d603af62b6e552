#!/usr/bin/env bash
# Sets up the machine, builds the runtime twice (a release build, and a clang build with
# address and undefined-behaviour sanitizers plus the fuzz harnesses) and runs every test
# of both; CTest's summary of the sanitizer build comes last.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh || exit 1
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
cmake --build build -j"$jobs" || exit 1
CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DZRV_SANITIZE=ON -DZRV_FUZZ=ON -DZRV_BENCH=OFF >/dev/null || exit 1
cmake --build build-san -j"$jobs" || exit 1

status=0
echo "== release build"
ctest --test-dir build --output-on-failure -j"$jobs" || status=1
echo "== sanitizer build (address, undefined) and fuzzing"
ctest --test-dir build-san --output-on-failure -j"$jobs" || status=1
exit $status
