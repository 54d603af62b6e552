#!/usr/bin/env bash
# The Windows unit tests as scripts/without-display.sh runs the Linux ones: wine always has
# a display, so the programs these tests start are asked to run without a window, and
# without a sound device.
#   wine-unit-test.sh PROGRAM.exe [ARGUMENTS...]
export ZRV_NO_WINDOW=1 SDL_AUDIODRIVER=dummy
exec bash "$(dirname "$0")/wine-test.sh" "$@"
