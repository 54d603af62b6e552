#!/usr/bin/env bash
# Fails when an include runs up the runtime's layers: core (strings, arrays, numbers, the
# error state, the log) includes no subsystem, and no subsystem includes the state
# aggregate that only the program frame may know.
# Usage: check-layers.sh [runtime folder]
set -u
runtime=${1:-$(dirname "$0")/../runtime}
subsystems='audio|display|files|gfx2d|input|net|pathfind|platform'
status=0

if grep -rnE "#include \"($subsystems|program)/" "$runtime/core"; then
    echo "core includes a header of a layer above it" >&2
    status=1
fi
for folder in core audio display files gfx2d input net pathfind platform; do
    [ -d "$runtime/$folder" ] || continue
    if grep -rn '#include "program/runtime_state.h"' "$runtime/$folder"; then
        echo "$folder includes the state aggregate; use the accessor of its own state header" >&2
        status=1
    fi
done
exit $status
