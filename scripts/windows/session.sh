# One session for Windows programs under wine (sourced): an X server, a sound server with
# a null sink, a wine prefix and one wineserver kept running for all programs of the
# session, so that each program starts in well under a second. zrv_session_start exports
# what the programs need; zrv_session_stop ends everything zrv_session_start started.
#   ZRV_WINE_PREFIX=DIR   keep the wine prefix there (default: a new one in the session
#                         folder, about 12 s and 700 MB, removed at the end)
#
# Wine's own service processes keep every pipe they inherit open: a program's output must
# go to files, never through a pipe.

zrv_session_dir=
zrv_session_xvfb=
zrv_session_pulse=

zrv_session_fail() {
  printf 'windows: %s\n' "$*" >&2
  zrv_session_stop
  return 1
}

zrv_session_start() {
  zrv_session_dir=$(mktemp -d "${TMPDIR:-/tmp}/zrv-wine.XXXXXX") || return 1
  local dir=$zrv_session_dir

  # -noreset: programs connect one after another, and a client that connects while the
  # server resets after its last client left is refused or never served.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
  zrv_session_xvfb=$!
  local i
  for i in $(seq 1 1000); do
    [ -s "$dir/display" ] && break
    kill -0 "$zrv_session_xvfb" 2>/dev/null || { cat "$dir/xvfb.log" >&2; zrv_session_fail "Xvfb ended at start"; return 1; }
    sleep 0.01
  done
  [ -s "$dir/display" ] || { zrv_session_fail "Xvfb served no display within 10 s"; return 1; }
  export DISPLAY=":$(head -n1 "$dir/display")"

  # A sound server of the session's own, playing into a null sink: wine's sound driver
  # talks to it, so sound is paced in real time without a sound card and without the
  # desktop's server. Its cookie and state stay in the session folder.
  mkdir -p "$dir/pulse" "$dir/pulse-home"
  HOME=$dir/pulse-home XDG_RUNTIME_DIR=$dir/pulse PULSE_RUNTIME_PATH=$dir/pulse PULSE_STATE_PATH=$dir/pulse \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
    --log-target="file:$dir/pulse.log" \
    -L "module-native-protocol-unix socket=$dir/pulse/native auth-anonymous=1" \
    -L "module-null-sink sink_name=zrv_null" </dev/null >/dev/null 2>&1 &
  zrv_session_pulse=$!
  export PULSE_SERVER=unix:$dir/pulse/native
  for i in $(seq 1 500); do
    [ -S "$dir/pulse/native" ] && break
    kill -0 "$zrv_session_pulse" 2>/dev/null || { cat "$dir/pulse.log" >&2; zrv_session_fail "the sound server ended at start"; return 1; }
    sleep 0.01
  done
  [ -S "$dir/pulse/native" ] || { zrv_session_fail "the sound server did not start within 5 s"; return 1; }

  export WINEPREFIX=${ZRV_WINE_PREFIX:-$dir/prefix}
  export WINEARCH=win64
  # No fixme lines in test output; no offer to install Mono or Gecko.
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # The host's OpenGL, as the Linux tests have it: llvmpipe on the rendering thread.
  export LIBGL_ALWAYS_SOFTWARE=1 LP_NUM_THREADS=0
  export ZRV_NO_WARNING_BOX=1
  unset SDL_VIDEODRIVER SDL_AUDIODRIVER WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >"$dir/wineserver.log" 2>&1 || { zrv_session_fail "wineserver did not start"; return 1; }
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$dir/wineboot.log" 2>&1 || { cat "$dir/wineboot.log" >&2; zrv_session_fail "wineboot failed"; return 1; }
  fi
  # Each program's temporary folder is the one its caller names in ZRV_WINE_TMP (a
  # Windows path): wine sets TMP and TEMP from the registry, which expands this.
  # The prefix's first programs may still be settling: a refused change is tried again.
  local name attempt
  for name in TMP TEMP; do
    for attempt in 1 2 3 4; do
      wine reg add 'HKCU\Environment' /v "$name" /t REG_EXPAND_SZ /d '%ZRV_WINE_TMP%' /f >"$dir/reg.log" 2>&1 && break
      [ "$attempt" -lt 4 ] || { cat "$dir/reg.log" >&2; zrv_session_fail "could not set the temporary folder"; return 1; }
      sleep 2
    done
  done
  export ZRV_WINE_TMP='C:\windows\temp'
}

zrv_session_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
  fi
  if [ -n "$zrv_session_pulse" ]; then
    kill "$zrv_session_pulse" 2>/dev/null; wait "$zrv_session_pulse" 2>/dev/null
    zrv_session_pulse=
  fi
  if [ -n "$zrv_session_xvfb" ]; then
    kill "$zrv_session_xvfb" 2>/dev/null; wait "$zrv_session_xvfb" 2>/dev/null
    zrv_session_xvfb=
  fi
  if [ -n "$zrv_session_dir" ]; then
    # Wine's last processes may still be writing into the prefix as they end.
    local i
    for i in 1 2 3 4 5 6 7 8 9 10; do
      rm -rf "$zrv_session_dir" 2>/dev/null && break
      sleep 0.5
    done
    zrv_session_dir=
  fi
  return 0
}
