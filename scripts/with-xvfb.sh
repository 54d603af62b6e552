#!/usr/bin/env bash
# Runs a command on a private X server of its own, whether or not a display is present:
# Xvfb chooses a free display number itself (-displayfd), so parallel runs never collide
# and a test never types into somebody's desktop. OpenGL renders through Mesa's llvmpipe;
# the blocking software-renderer box is off (a test that wants it turns it on again).
# Listing the tests of an executable needs no display.
set -uo pipefail

for argument in "$@"; do
  if [ "$argument" = "--gtest_list_tests" ]; then exec "$@"; fi
done

dir=$(mktemp -d "${TMPDIR:-/tmp}/zrv-xvfb.XXXXXX") || exit 1
# -noreset: an X server resets itself whenever its last client leaves, and a client that
# connects during the reset is refused or, now and then, accepted and never served (its
# first reply never comes). Tests start and end programs one after another, so without it
# a program's start meets a reset from time to time; a desktop's server, with its window
# manager always connected, never resets.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
server=$!
cleanup() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT

for _ in $(seq 1 1000); do
  [ -s "$dir/display" ] && break
  if ! kill -0 "$server" 2>/dev/null; then
    cat "$dir/xvfb.log" >&2
    echo "with-xvfb: Xvfb ended before it served a display" >&2
    exit 1
  fi
  sleep 0.01
done
if [ ! -s "$dir/display" ]; then
  echo "with-xvfb: Xvfb served no display within 10 s" >&2
  exit 1
fi

export DISPLAY=":$(head -n1 "$dir/display")"
export LIBGL_ALWAYS_SOFTWARE=1
# llvmpipe draws on the calling thread: parallel tests share few cores anyway, and no
# rasteriser threads are still running when a sanitizer build checks for leaks at exit.
export LP_NUM_THREADS=0
export ZRV_NO_WARNING_BOX=1
export SDL_VIDEODRIVER=x11
unset WAYLAND_DISPLAY
# Sound stays off the machine's own devices and servers: tests that measure sound choose
# SDL's disk driver themselves.
export SDL_AUDIODRIVER=dummy
# Nor the desktop's session bus or configuration folder: a test that wants either makes
# one of its own.
unset DBUS_SESSION_BUS_ADDRESS XDG_CONFIG_HOME
# In a sanitizer build: what the desktop libraries keep until exit is not a leak of ours.
# The leak checker of this toolchain misreads some thread-local blocks of the libraries
# the GL driver loads (the software rasteriser's compiler) and crashes at exit, by chance
# of where they were allocated; without tracking them the blocks are still found through
# the thread's own table of them, so no leak goes unseen.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan-platform.supp:intercept_tls_get_addr=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
"$@"
