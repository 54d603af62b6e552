#!/usr/bin/env bash
# Runs a command as on a machine without any display: the tests of the non-graphical
# subsystems expect programs to run headless, also on a desktop where a display exists.
unset DISPLAY WAYLAND_DISPLAY
# Such programs are asked to run without a window: without one they would end at start-up.
export ZRV_NO_WINDOW=1
# Nor any sound device or server of the machine's own.
export SDL_AUDIODRIVER=dummy
# Nor the desktop's session bus or configuration folder: a test that wants either makes
# one of its own.
unset DBUS_SESSION_BUS_ADDRESS XDG_CONFIG_HOME
exec "$@"
