#!/usr/bin/env bash
# The committed command index must be what the headers make of it now: a command added,
# changed or removed without the index made anew fails here.
#   command_index_test.sh SOURCE_DIR
set -euo pipefail
source=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/zrv-index.XXXXXX")
trap 'rm -rf "$work"' EXIT
bash "$source/scripts/make-command-index.sh" "$work/commands.md"
if ! diff -u "$source/docs/commands.md" "$work/commands.md"; then
  echo "docs/commands.md is out of date: run scripts/make-command-index.sh" >&2
  exit 1
fi
echo "command index: $(grep -c '^| `' "$work/commands.md") commands, up to date"
