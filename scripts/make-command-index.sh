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

# One record per command the runtime's sources define: name and file. Definitions are
# looked for at the outermost level, outside every namespace, where public commands live.
definitions() {
  find runtime -name '*.cpp' | sort | xargs awk '
    function strip(s) {
      gsub(/"([^"\\]|\\.)*"/, "\"\"", s)
      gsub(/'"'"'([^'"'"'\\]|\\.)*'"'"'/, "0", s)
      sub(/\/\/.*/, "", s)
      return s
    }
    FNR == 1 { depth = 0; spaces = 0; pending = "" }
    /^\/\// { next }
    {
      code = strip($0)
      if (depth == 0 && code ~ /^namespace( [A-Za-z_:]+)? *\{/) { spaces++; next }
      if (depth == 0 && spaces > 0 && code ~ /^\}/) { spaces--; next }
      if (depth == 0 && spaces == 0 && pending == "" && code ~ /^[A-Za-z_[]/ && code ~ /\(/ &&
          code !~ /^(struct|class|enum|union|using|typedef|static|template|extern)[ <({]/) {
        pending = code
      } else if (depth == 0 && pending != "") {
        pending = pending " " code
      }
      if (pending != "" && pending ~ /[;{]/) {
        if (pending ~ /\{/ && index(pending, "(") < index(pending, "{")) {
          count = split(substr(pending, 1, index(pending, "(") - 1), words, /[ *&]+/)
          name = words[count]
          if (name != "" && name !~ /::/ && name !~ /^operator/) printf "%s\t%s\n", name, FILENAME
        }
        pending = ""
      }
      depth += gsub(/\{/, "{", code) - gsub(/\}/, "}", code)
      if (depth < 0) depth = 0
    }'
}

{
  cat <<'EOF'
# Command index

Every command the runtime's public headers declare, A to Z: the header that declares it
(`#include "zorvane.h"` brings them all), its declaration, what it does, and the source
file that defines it ("inline" when the header itself does, "the program" for what each
program supplies). Made from the headers by `scripts/make-command-index.sh`; a test
(`ctest -R CommandIndex`) fails when this file is out of date.

| Command | Header | Declaration | What it does | Defined in |
|---|---|---|---|---|
EOF
  definitions >"$output.defined"
  declarations | sort -t "$(printf '\t')" -k1,1f -k1,1 -k2,2 -k3,3 |
    awk -F '\t' -v defined="$output.defined" '
      BEGIN { while ((getline record < defined) > 0) { split(record, part, "\t"); if (!(part[1] in file)) file[part[1]] = part[2] } }
      {
        where = $1 in file ? "`" file[$1] "`" : ($3 ~ /^(void ApplyProjectSettings|void ProgramMain)\(/ ? "the program" : "inline")
        printf "| `%s` | `%s` | `%s` | %s | %s |\n", $1, $2, $3, $4, where
      }'
  rm -f "$output.defined"
} >"$output.new"
mv "$output.new" "$output"
