#!/usr/bin/env bash
# Installs those of the named Debian packages that are missing, through sudo when not run
# as root: a machine that already has them all is left alone and apt's package lists are
# not refreshed.
# Usage: install-packages.sh TAG PACKAGE...   (TAG starts the lines it prints)
set -euo pipefail
tag=$1
shift

missing=()
for p in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -gt 0 ] || exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "$tag: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
echo "$tag: installing ${missing[*]}" >&2
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
