#!/usr/bin/env bash
# Runs a windowed program of the runtime on a private X server of its own
# (scripts/with-xvfb.sh), waits for its window by its exact title and for the end of its
# start-up ("Init Finalized" in the runtime log of its own temporary folder), presses Escape
# as a user would and ends with the program's exit code. With --maps, the program's memory
# map is saved at that moment (which shared libraries it really loaded).
#   run-until-escape.sh TITLE [--maps FILE] -- PROGRAM [ARGUMENTS...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${ZRV_PRIVATE_X:-}" ]; then
  export ZRV_PRIVATE_X=1
  exec "$here/../../scripts/with-xvfb.sh" "$0" "$@"
fi

title=$1
shift
maps=
if [ "${1:-}" = "--maps" ]; then
  maps=$2
  shift 2
fi
[ "${1:-}" = "--" ] && shift
# What the GL driver and SDL keep until exit is no leak of the program's (sanitizer builds).
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zrv-escape.XXXXXX") || exit 1
trap 'rm -rf "$tmp"' EXIT
TMPDIR=$tmp "$@" &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1)
if [ -z "$window" ]; then
  echo "run-until-escape: no window titled '$title' appeared within 60 s" >&2
  kill -9 "$pid" 2>/dev/null
  wait "$pid"
  exit 1
fi
# Escape during start-up would end the program before its main routine ever ran.
for _ in $(seq 1 600); do
  grep -qs "Init Finalized" "$tmp/ErrorLog.txt" && break
  sleep 0.1
done
[ -n "$maps" ] && cat "/proc/$pid/maps" >"$maps"
xdotool windowfocus --sync "$window"
# Held for a while, as a person's key press is: the program looks at the keyboard state.
xdotool keydown Escape
sleep 0.5
xdotool keyup Escape
for _ in $(seq 1 600); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "run-until-escape: the program was still running 60 s after Escape" >&2
  kill -9 "$pid"
fi
wait "$pid"
