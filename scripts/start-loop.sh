#!/usr/bin/env bash
# Starts a program COUNT times on one private X server and ends each with Escape, to catch a
# start that comes up without a visible window. A failed start is kept in OUTDIR/runN with
# what it takes to study it: the window's map state and properties, the threads' stacks,
# the sockets to the X server and the program's log. Good starts leave nothing behind.
#   scripts/start-loop.sh PROGRAM COUNT OUTDIR
# Needs xdotool, xwininfo, xprop and gdb.
set -uo pipefail
if [ -z "${ZRV_START_LOOP_INNER:-}" ]; then
  ZRV_START_LOOP_INNER=1 exec "$(dirname "$0")/with-xvfb.sh" "$0" "$@"
fi
program=$1 count=$2 out=$3
mkdir -p "$out"
failed=0
for i in $(seq 1 "$count"); do
  run="$out/run$i"
  mkdir -p "$run/tmp" "$run/home"
  TMPDIR="$run/tmp" HOME="$run/home" SDL_AUDIODRIVER=dummy "$program" >"$run/out" 2>"$run/err" &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -n1)
  if [ -z "$window" ]; then
    failed=$((failed + 1))
    echo "start $i: no visible window (pid $pid)" >>"$out/summary"
    for w in $(xdotool search --pid "$pid" 2>/dev/null); do
      xwininfo -id "$w" -all >>"$run/windows" 2>&1
      xprop -id "$w" >>"$run/windows" 2>&1
    done
    timeout 5 xwininfo -root -tree >"$run/tree" 2>&1
    ps -o pid,stat,pcpu,nlwp,rss -p "$pid" >"$run/ps"
    ss -xp 2>/dev/null | grep -e "pid=$pid," -e Xvfb >"$run/sockets"
    gdb -p "$pid" -batch -ex 'thread apply all bt' >"$run/stacks" 2>&1
    cp "$run/tmp/ErrorLog.txt" "$run/log" 2>/dev/null
    kill -9 "$pid"
    wait "$pid" 2>/dev/null
    continue
  fi
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key --window "$window" Escape 2>/dev/null
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    failed=$((failed + 1))
    echo "start $i: still running 10 s after Escape" >>"$out/summary"
    kill -9 "$pid"
  fi
  wait "$pid" 2>/dev/null
  rm -rf "$run"
done
echo "starts $count failed $failed" >>"$out/summary"
cat "$out/summary"
