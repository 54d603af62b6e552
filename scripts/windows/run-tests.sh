#!/usr/bin/env bash
# Runs the Windows build's tests under wine: one X server, one sound server with a null
# sink and one wineserver for the whole run (scripts/windows/session.sh), each test with a
# temporary folder of its own (scripts/windows/wine-test.sh). Ends everything it started.
# Usage: bash scripts/windows/run-tests.sh [--build-dir DIR] [CTEST ARGUMENTS...]
#   e.g. run-tests.sh -L core      run-tests.sh -R Sockets
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build_dir=$here/../../build-windows
if [ "${1:-}" = "--build-dir" ]; then build_dir=$2; shift 2; fi
[ -f "$build_dir/CTestTestfile.cmake" ] || {
  echo "windows: no Windows build in $build_dir (bash scripts/build-windows.sh)" >&2
  exit 1
}
source "$here/session.sh"
trap 'zrv_session_stop' EXIT
trap 'exit 130' INT TERM

start=$SECONDS
zrv_session_start || exit 1
echo "windows: wine session ready in $((SECONDS - start)) s (display $DISPLAY, prefix $WINEPREFIX)"
ctest --test-dir "$build_dir" --output-on-failure -j"${ZRV_JOBS:-2}" "$@"
status=$?
echo "windows: tests took $((SECONDS - start)) s"
exit $status
