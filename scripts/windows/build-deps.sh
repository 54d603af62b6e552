#!/usr/bin/env bash
# Cross-builds the runtime's dependencies for Windows from Debian 12's source packages,
# each once: every one is installed into a folder of its own in the cache, named after the
# package version and a digest of its recipe and the tool chain, and a stamp written last
# marks it complete, so a build that stopped half-way is done again and a changed recipe
# or version builds anew. Prints the install folders, one a line, on standard output.
#   build-deps.sh [NAME...]     (default: every recipe in deps/)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$here/common.sh"

names=("$@")
[ ${#names[@]} -gt 0 ] || names=(lzo2 libpng libjpeg googletest sdl2 ffmpeg)

command -v "$zrv_win_cc" >/dev/null || zrv_win_die "$zrv_win_cc is missing (scripts/windows/install-tools.sh)"
mkdir -p "$zrv_win_cache"
# One build at a time per cache: a second clone building at once waits, then finds the
# dependencies done.
exec 9>"$zrv_win_cache/lock"
if ! flock -n 9; then
  zrv_win_log "waiting for another build of the dependencies in $zrv_win_cache"
  flock 9
fi
"$here/fetch-source.sh" update

toolchain=$root/cmake/mingw-w64.cmake
compiler_version=$("$zrv_win_cxx" -dumpfullversion)
# Repeat builds of a recipe being changed come from the compiler cache when there is one.
launcher=()
if command -v ccache >/dev/null; then launcher=(ccache); fi

for name in "${names[@]}"; do
  recipe=$here/deps/$name.sh
  [ -f "$recipe" ] || zrv_win_die "no recipe $recipe"
  package=$(unset package; source "$recipe"; echo "$package")
  version=$("$here/fetch-source.sh" version "$package")
  # The tool chain file counts only for the recipes that build with CMake.
  inputs=("$recipe")
  if grep -q zrv_win_cmake "$recipe"; then inputs+=("$toolchain"); fi
  digest=$(cat "${inputs[@]}" <(echo "$compiler_version") | sha256sum | cut -c1-12)
  dir=$zrv_win_cache/$name-${version//[:~+]/_}-$digest
  if [ ! -f "$dir/stamp" ]; then
    zrv_win_log "building $package $version into $dir"
    start=$SECONDS
    rm -rf "$dir"
    mkdir -p "$dir"
    "$here/fetch-source.sh" unpack "$package" "$dir/src"
    (
      prefix=$dir/prefix
      zrv_win_cmake=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_INSTALL_PREFIX="$prefix")
      # Paths inside the build folder count relative to it, so a rebuild in a folder of
      # another name still finds its objects in the compiler cache.
      export CCACHE_BASEDIR=$dir
      if [ ${#launcher[@]} -gt 0 ]; then
        zrv_win_cmake+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        zrv_win_cc="ccache $zrv_win_cc" zrv_win_cxx="ccache $zrv_win_cxx"
      fi
      source "$recipe"
      cd "$dir/src"
      zrv_win_lower_priority
      build
    ) >"$dir/build.log" 2>&1 || {
      tail -n 40 "$dir/build.log" >&2
      zrv_win_die "$package failed to build (whole log: $dir/build.log)"
    }
    rm -rf "$dir/src"
    echo "$package $version" >"$dir/stamp"
    zrv_win_log "$package $version built in $((SECONDS - start)) s"
  else
    zrv_win_log "$package $version: built before ($dir)"
  fi
  echo "$dir/prefix"
done
