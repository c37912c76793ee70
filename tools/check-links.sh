#!/bin/sh
# Checks that every relative link and picture in the project's Markdown files resolves: the file
# or folder exists and, for a link with #anchor, a heading of that name is in the file it names.
# Links to other sites are left alone: this machine may not reach them.
# Usage: tools/check-links.sh [FILE.md ...]   (default: every Markdown file git knows of)
set -eu
cd "$(dirname "$0")/.."
if [ "$#" -eq 0 ]; then
  # One name a line, split at newlines only, so that a name with a space stays whole.
  IFS='
'
  # shellcheck disable=SC2046 # the split into one argument a line is meant
  set -- $(git ls-files -co --exclude-standard -- '*.md' | grep -v node_modules)
  unset IFS
fi

# Prints the anchors of a file's headings as GitHub makes them: lower case, punctuation dropped,
# spaces to hyphens; a repeated heading gets -1, -2, ...
anchors() {
  awk '/^```/ { fenced = !fenced; next }
    !fenced && /^#+ / {
      sub(/^#+ +/, ""); text = tolower($0)
      gsub(/[^a-z0-9 _-]/, "", text); gsub(/ /, "-", text)
      if (text in seen) { seen[text]++; text = text "-" seen[text] } else seen[text] = 0
      print text
    }' "$1"
}

# Prints "target" for every link and picture outside code, one a line.
links() {
  awk '/^```/ { fenced = !fenced; next }
    !fenced {
      line = $0; gsub(/`[^`]*`/, "", line)
      while (match(line, /\]\([^) ]+\)/)) {
        print substr(line, RSTART + 2, RLENGTH - 3); line = substr(line, RSTART + RLENGTH)
      }
      while (match(line, /src="[^"]+"/)) {
        print substr(line, RSTART + 5, RLENGTH - 6); line = substr(line, RSTART + RLENGTH)
      }
    }' "$1"
}

broken=0
for file in "$@"; do
  folder=$(dirname "$file")
  for target in $(links "$file"); do
    case "$target" in *://* | mailto:*) continue ;; esac
    path=${target%%#*}
    anchor=""
    case "$target" in *#*) anchor=${target#*#} ;; esac
    if [ -z "$path" ]; then resolved=$file; else resolved=$folder/$path; fi
    if [ ! -e "$resolved" ]; then
      echo "$file: $target: no such file" >&2; broken=1; continue
    fi
    if [ -n "$anchor" ] && ! anchors "$resolved" | grep -q -x -F "$anchor"; then
      echo "$file: $target: no heading with that anchor" >&2; broken=1
    fi
  done
done
[ "$broken" -eq 0 ] && echo "Links: all resolve in $# files"
exit "$broken"
