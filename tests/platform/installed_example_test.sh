#!/usr/bin/env bash
# A program built outside the source tree against an installed copy of the runtime: the
# runtime is installed into a scratch prefix, examples/hello is configured with CMake's
# package configuration, built, installed beside it and run on a private X server until
# Escape; it must end with exit code 0 and have found the installed start-up font (8 x 16
# cells; the built-in one has 8 x 8). The same program is linked a second time through the
# pkg-config file.
#   installed_example_test.sh BUILD_DIR SOURCE_DIR CXX_COMPILER [EXTRA_FLAGS]
set -euo pipefail
build=$1
source=$2
compiler=$3
flags=${4:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/zrv-installed.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
for file in lib/libzorvane.a lib/zorvane/zorvane_main.o include/zorvane.h bin/zrv-pack \
  share/zorvane/smalfont.png lib/cmake/zorvane/zorvaneConfig.cmake lib/pkgconfig/zorvane.pc; do
  [ -e "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
# Every public header, whoever added it.
(cd "$source/include" && find . -name '*.h' | sort) >"$work/headers.want"
(cd "$prefix/include" && find . -name '*.h' | sort) >"$work/headers.have"
diff "$work/headers.want" "$work/headers.have"
# A plain install is the runtime alone: the player comes with its own package.
[ ! -e "$prefix/bin/zorvane_player" ] || { echo "the player was installed with the runtime" >&2; exit 1; }

cmake -S "$source/examples/hello" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
  -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log"
cmake --build "$work/build" >"$work/build.log"
cmake --install "$work/build" --prefix "$prefix" >>"$work/install.log"

PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --exists zorvane
# shellcheck disable=SC2046 # the flags are words
"$compiler" $flags "$source/examples/hello/hello.cpp" -o "$work/hello-pc" \
  $(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs zorvane)

status=0
TMPDIR=$work "$source/tests/support/run-until-escape.sh" Hello -- "$prefix/bin/zorvane_hello" >"$work/run.log" 2>&1 || status=$?
cat "$work/run.log"
[ "$status" -eq 0 ] || { echo "the installed example ended with $status" >&2; exit 1; }
grep -qx "1/3 = 0.3333333333" "$work/run.log"
grep -qx "font 8 x 16" "$work/run.log" || { echo "the installed start-up font was not found" >&2; exit 1; }
echo "installed example: built with CMake and pkg-config, ran and ended with 0"
