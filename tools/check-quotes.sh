#!/bin/sh
# Checks that every piece of code the Markdown pages quote is in the file it names, as quoted: a
# fenced block whose first line is "// FILE" (FILE from the top of the project) must match lines
# of FILE that follow one another, indentation aside.
# Usage: tools/check-quotes.sh [FILE.md ...]   (default: every Markdown file git knows of)
set -eu
cd "$(dirname "$0")/.."
# shellcheck disable=SC2046 # the list is meant to split into words
[ "$#" -gt 0 ] || set -- $(git ls-files -co --exclude-standard -- '*.md' | grep -v node_modules)

awk '
function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }
# 0 if the quote is in its file; else says which quoted line no run of the file reaches.
function check(   n, line, lines, i, j, best) {
  n = 0
  while ((getline line < source) > 0) lines[++n] = trim(line)
  close(source)
  if (n == 0) {
    printf "%s:%d: %s: no such file\n", FILENAME, start, source > "/dev/stderr"
    return 1
  }
  best = 0
  for (i = 1; i <= n; i++) {
    for (j = 1; j <= count && i + j - 1 <= n && lines[i + j - 1] == quote[j]; j++);
    if (j > count) return 0
    if (j - 1 > best) best = j - 1
  }
  printf "%s:%d: not in %s as quoted: %s\n", FILENAME, start + best + 2, source,
    quote[best + 1] > "/dev/stderr"
  return 1
}
/^```/ {
  if (!fenced) { fenced = 1; first = 1; source = ""; count = 0; start = FNR; next }
  fenced = 0
  if (source != "") { pieces++; broken += check() }
  next
}
fenced && first {
  first = 0
  if ($0 ~ /^\/\/ [A-Za-z0-9_.\/-]+$/) { source = substr($0, 4); next }
}
fenced && source != "" { quote[++count] = trim($0) }
END {
  if (broken) exit 1
  printf "Quotes: all %d pieces of code are in their files as quoted\n", pieces
}
' "$@"
