#!/usr/bin/env bash
# Writes the command index: every free function the public headers in include/ declare, A
# to Z, with its header, its declaration and the comment written above it (or beside it).
# Operators are left out; a commented line stays with the declaration below it.
#
#   scripts/make-command-index.sh [output.md]     (default: docs/commands.md)
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/commands.md}
export LC_ALL=C

# One record per declaration: name, header, declaration, comment, separated by tabs.
declarations() {
  local header
  for header in $(cd include && find . -name '*.h' | sed 's|^\./||' | sort); do
    awk -v header="$header" '
      function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }
      function emit(text, note,    cut, before, words, count, name) {
        cut = match(text, /[;{]/)
        if (cut) text = substr(text, 1, cut - 1)
        gsub(/\[\[[^]]*\]\][ \t]*/, "", text)
        gsub(/[ \t]+/, " ", text)
        gsub(/\( /, "(", text)
        text = trim(text)
        sub(/ noexcept$/, "", text)
        if (index(text, "(") == 0) return
        before = trim(substr(text, 1, index(text, "(") - 1))
        count = split(before, words, /[ *&]+/)
        name = words[count]
        if (name == "" || name ~ /^operator/ || name ~ /::/) return
        gsub(/\|/, "\\|", note)
        gsub(/\|/, "\\|", text)
        printf "%s\t%s\t%s\t%s\n", name, header, text, note
      }
      {
        line = $0
        if (depth == 0 && pending == "") {
          if (line ~ /^\/\//) {
            text = line
            sub(/^\/\/ ?/, "", text)
            # Section rulers and empty comment lines start a new comment.
            if (text ~ /^-+ / || text == "") { comment = ""; next }
            comment = comment == "" ? text : comment " " text
            next
          }
          if (line ~ /^[ \t]*$/ || line ~ /^#/) { comment = ""; next }
        }
        code = line
        beside = ""
        at = index(code, "//")
        if (at) {
          beside = trim(substr(code, at + 2))
          code = substr(code, 1, at - 1)
        }
        if (depth == 0) {
          if (pending != "") {
            pending = pending " " code
            if (beside != "" && note == "") note = beside
          } else if (code ~ /^(template|using)[ <]/) {
            # Part of what follows: the comment above stays for it.
          } else if (code ~ /^[A-Za-z_[]/ && code !~ /^(struct|class|enum|union|namespace|typedef|extern|static_assert)[ {]/) {
            pending = code
            note = comment != "" ? comment : beside
          } else {
            comment = ""
          }
          if (pending != "" && pending ~ /[;{]/) {
            emit(pending, note)
            pending = ""
            comment = ""
          }
        }
        opened = gsub(/\{/, "{", code)
        closed = gsub(/\}/, "}", code)
        depth += opened - closed
      }' "include/$header"
  done
}

{
  cat <<'EOF'
# Command index

Every command the runtime's public headers declare, A to Z: the header that declares it
(`#include "zorvane.h"` brings them all), its declaration, and what it does where the name
does not say it all. Made from the headers by `scripts/make-command-index.sh`; a test
(`ctest -R CommandIndex`) fails when this file is out of date.

| Command | Header | Declaration | What it does |
|---|---|---|---|
EOF
  declarations | sort -t "$(printf '\t')" -k1,1f -k1,1 -k2,2 -k3,3 |
    awk -F '\t' '{ printf "| `%s` | `%s` | `%s` | %s |\n", $1, $2, $3, $4 }'
} >"$output.new"
mv "$output.new" "$output"
