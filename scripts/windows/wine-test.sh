#!/usr/bin/env bash
# Runs one Windows test program under wine in the session scripts/windows/run-tests.sh
# keeps (CTest's emulator for the Windows build): with a temporary folder of its own,
# removed afterwards, and its output in files, never through a pipe.
#   wine-test.sh PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-test: no wine session; run the tests through scripts/windows/run-tests.sh" >&2
  exit 1
fi
dir=$(mktemp -d "${TMPDIR:-/tmp}/zrv-test.XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/tmp"
# The program's temporary folder as Windows sees it (wine's drive Z: is the root of the
# file system); TMPDIR itself must not reach wine, which then drops TMP and TEMP and finds
# no sound server.
export ZRV_WINE_TMP="Z:${dir//\//\\}\\tmp"
unset TMPDIR
wine "$@" >"$dir/stdout" 2>"$dir/stderr" </dev/null
status=$?
cat "$dir/stdout"
cat "$dir/stderr" >&2
exit $status
