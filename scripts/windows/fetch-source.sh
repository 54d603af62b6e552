#!/usr/bin/env bash
# Debian 12's source packages through a private apt set-up of our own: its own source
# list, its own package lists, no other source parts, so the machine's apt configuration
# is neither read nor changed.
#   fetch-source.sh update            refresh the private package lists
#   fetch-source.sh version NAME      print the version of source package NAME
#   fetch-source.sh unpack NAME DIR   download NAME and unpack it, Debian's patches applied, as DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

apt_dir=$zrv_win_cache/apt
mkdir -p "$apt_dir/lists/partial"
if [ ! -s "$apt_dir/sources.list" ]; then
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
    >"$apt_dir/sources.list"
fi
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache")
# As root apt hands downloads to its own user, who cannot write into our folders.
[ "$(id -u)" -ne 0 ] || apt_options+=(-o APT::Sandbox::User=root)

case "${1:-}" in
  update)
    # Offline with lists from an earlier run: the cached builds they name still serve.
    if ! apt-get "${apt_options[@]}" -qq update >"$apt_dir/update.log" 2>&1; then
      if ls "$apt_dir"/lists/*Sources* >/dev/null 2>&1; then
        zrv_win_log "could not refresh Debian's source lists (see $apt_dir/update.log); using the last ones"
      else
        cat "$apt_dir/update.log" >&2
        zrv_win_die "could not fetch Debian's source lists"
      fi
    fi
    ;;
  version)
    apt-cache "${apt_options[@]}" showsrc --only-source "$2" 2>/dev/null |
      awk '/^Version:/ { print $2 }' | sort -V | tail -n1 | grep . ||
      zrv_win_die "no source package $2 in Debian 12"
    ;;
  unpack)
    name=$2 dest=$3
    download=$(mktemp -d "${TMPDIR:-/tmp}/zrv-source.XXXXXX")
    trap 'rm -rf "$download"' EXIT
    (cd "$download" && apt-get "${apt_options[@]}" -qq source --download-only "$name" >fetch.log 2>&1) || {
      cat "$download/fetch.log" >&2
      zrv_win_die "could not download the source of $name"
    }
    rm -rf "$dest"
    dpkg-source --no-check --no-copy -x "$download"/*.dsc "$dest" >"$download/unpack.log" 2>&1 || {
      cat "$download/unpack.log" >&2
      zrv_win_die "could not unpack the source of $name"
    }
    ;;
  *)
    zrv_win_die "usage: fetch-source.sh update | version NAME | unpack NAME DIR"
    ;;
esac
