#!/usr/bin/env bash
# The player's Debian package, as a user gets it: made with `cpack -G DEB`, its declared
# dependencies must be the packages the player really needs, and the player unpacked from
# it must start on a private X server and end with exit code 0 on Escape.
#   - Every package in Depends owns a library the executable links, and every such
#     library's package is in Depends.
#   - Every shared library the running player has loaded (those SDL opens by itself
#     included) belongs to a package that Depends brings in.
#   player_package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/zrv-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() {
  echo "player package: $*" >&2
  exit 1
}

# The packages owning the files named on standard input, as "file package" lines. One
# query for all of them; each file is asked for under every name a merged /usr gives it.
owners() {
  local path real name package
  local -a files=() names=()
  local -A owner=()
  while read -r path; do
    files+=("$path")
    real=$(readlink -f "$path")
    names+=("$path" "$real" "${path#/usr}" "${real#/usr}")
  done
  [ ${#files[@]} -gt 0 ] || return 0
  while read -r package name; do owner[$name]=$package; done < <(
    dpkg-query -S "${names[@]}" 2>/dev/null | sed -E 's/^([^:,]+)(:[^:,]+)?: (.*)$/\1 \3/')
  for path in "${files[@]}"; do
    real=$(readlink -f "$path")
    for name in "$path" "$real" "${path#/usr}" "${real#/usr}"; do
      if [ -n "${owner[$name]:-}" ]; then
        echo "$path ${owner[$name]}"
        break
      fi
    done
  done
}

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log") ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/out/*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = zorvane-player ] || fail "the package is not zorvane-player"
dpkg-deb -I "$deb"
# Package names of Depends, without versions; alternatives count one by one.
dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed -E 's/\(.*\)//; s/ //g' | grep -v '^$' | sort -u >"$work/declared"

root=$work/root
dpkg-deb -x "$deb" "$root"
player=$root/usr/bin/zorvane_player
[ -x "$player" ] || fail "no usr/bin/zorvane_player in the package"
[ -f "$root/usr/share/zorvane/smalfont.png" ] || fail "no start-up font in the package"
entry=$root/usr/share/applications/zorvane-player.desktop
[ -f "$entry" ] || fail "no desktop entry in the package"
desktop-file-validate "$entry"
grep -qx "Exec=zorvane_player" "$entry" || fail "the desktop entry does not start the player"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$root/usr/share/icons/hicolor/64x64/apps/$icon.png" ] || fail "the desktop entry's icon $icon is not in the package"

# What the executable links: its own entries, found where the loader finds them.
ldd "$player" >"$work/ldd"
for library in $(readelf -d "$player" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
  path=$(awk -v lib="$library" '$1 == lib && $2 == "=>" { print $3 }' "$work/ldd")
  [ -n "$path" ] || fail "$library, which the player links, is not on this machine"
  echo "$path"
done >"$work/linked-files"
owners <"$work/linked-files" >"$work/linked-owners"
[ "$(wc -l <"$work/linked-owners")" -eq "$(wc -l <"$work/linked-files")" ] ||
  fail "a library the player links belongs to no package"
cut -d' ' -f2 "$work/linked-owners" >"$work/linked"
# SDL opens the system's OpenGL library itself when it makes the window; the package says so.
echo libgl1 >>"$work/linked"
sort -u -o "$work/linked" "$work/linked"
diff -u "$work/linked" "$work/declared" || fail "Depends differs from the packages of the libraries the player links"

status=0
"$source/tests/support/run-until-escape.sh" "Zorvane kelvo_5" --maps "$work/maps" -- "$player" >"$work/run.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || { cat "$work/run.log"; fail "the player from the package ended with $status"; }

# Everything the declared packages bring in, and the owner of every library it loaded.
# shellcheck disable=SC2046 # one package name per word
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
  --no-enhances $(cat "$work/declared") |
  sed -n 's/^ *|\{0,1\}\(Pre\)\{0,1\}Depends: <\{0,1\}\([^>]*\)>\{0,1\}$/\2/p; s/^\([a-z0-9][^ ]*\)$/\1/p' |
  sed 's/:.*//' | sort -u >"$work/closure"
awk '$6 ~ /\.so/ { print $6 }' "$work/maps" | grep -v "^$root/" | sort -u >"$work/loaded-files"
owners <"$work/loaded-files" >"$work/loaded-owners"
while read -r library; do
  grep -q "^$library " "$work/loaded-owners" || fail "no package owns $library, which the player loaded"
done <"$work/loaded-files"
# SDL opens libudev, when it is there, to watch for joysticks coming and going; without it
# SDL looks for them itself.
optional="libudev1"
while read -r library package; do
  grep -qx "$package" "$work/closure" || [[ " $optional " == *" $package "* ]] ||
    fail "the player loaded $library of $package, which Depends does not bring in"
done <"$work/loaded-owners"
echo "player package: $(wc -l <"$work/declared") dependencies, all needed and none missing; the player ran and ended with 0"
