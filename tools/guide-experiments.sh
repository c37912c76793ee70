#!/bin/sh
# Reads the "Try it yourself" experiments of docs/drawing.md: each is a patch (a fenced diff block,
# or none for the unchanged viewer), a line "Keys: ..." the reader is told to give the viewer, and
# the picture of what it then shows (drawing/try/NAME.png).
#   tools/guide-experiments.sh list              one line each: NAME|FILES THE PATCH CHANGES|INPUT
#   tools/guide-experiments.sh apply NAME FOLDER copies the files the patch changes into FOLDER
#                                                and applies it there, as the reader would
#   tools/guide-experiments.sh strays            fails, naming them, if docs/drawing/try holds
#                                                pictures no experiment makes
#   tools/guide-experiments.sh about             one line each: NAME|SECTION|TITLE|QUESTION, the
#                                                anchor of its section, and its title and question
#                                                in the guide's words: the bold lead and the rest
#                                                of the paragraph before the patch, or for an
#                                                answer, its summary and its exercise
#   tools/guide-experiments.sh patch NAME        prints its patch
# INPUT is in the words of the guide's picture tools: "drag -60 10 left 180 up 4".
set -eu
cd "$(dirname "$0")/.."
guide=docs/drawing.md

# The experiments, with their patches after a line "@@@ NAME|FILES|INPUT" each, and before
# that a line "@@# NAME|SECTION|TITLE|QUESTION".
experiments() {
  awk '
  /^##+ / {
    section = tolower($0)
    sub(/^#+ /, "", section)
    gsub(/[^a-z0-9 -]/, "", section)
    gsub(/ /, "-", section)
    next
  }
  /^\*\*/ {
    title = $0
    sub(/^\*\*/, "", title)
    question = substr(title, index(title, "**") + 3)
    sub(/\*\*.*/, "", title)
    in_question = 1
    next
  }
  in_question && /^$/ { in_question = 0 }
  in_question { question = question " " $0; next }
  section == "exercises" && /^[0-9]+\. / { number = $1 + 0; exercise[number] = substr($0, length($1) + 2); next }
  section == "exercises" && number && /^   [^ ]/ { exercise[number] = exercise[number] " " substr($0, 4); next }
  section == "exercises" && /^$/ { number = 0 }
  /<summary>Answer [0-9]+:/ {
    n = $0
    sub(/.*Answer /, "", n)
    title = n
    sub(/<\/summary>.*/, "", title)
    title = "Exercise " title
    question = exercise[n + 0]
  }
  /^```diff$/ { in_patch = 1; patch = ""; files = ""; next }
  in_patch && /^```$/ { in_patch = 0; next }
  in_patch {
    patch = patch $0 "\n"
    if ($1 == "diff" && $2 == "--git") files = files (files == "" ? "" : " ") substr($3, 3)
    next
  }
  /^Keys: / { keys = $0; keys_line = FNR; next }
  /\]\(drawing\/try\/[a-z0-9-]+\.png\)/ {
    name = $0
    sub(/.*\]\(drawing\/try\//, "", name)
    sub(/\.png\).*/, "", name)
    if (keys == "") {
      printf "%s:%d: drawing/try/%s.png has no line \"Keys: ...\" before it\n", FILENAME, FNR,
        name > "/dev/stderr"
      exit 1
    }
    printf "@@# %s|%s|%s|%s\n", name, section, title, question
    printf "@@@ %s|%s|%s\n%s", name, files, input(keys), patch
    keys = ""; patch = ""; files = ""
  }
  # "Keys: drag 60 pixels left and 10 down, then `Left` ×180 and `Up` ×4." as "drag -60 10 left 180 up 4".
  function input(line,   words, n, i, out, w) {
    gsub(/[`,.:]/, " ", line)
    n = split(line, words, " ")
    out = ""
    for (i = 2; i <= n; i++) {
      w = words[i]
      if (w == "drag") {
        out = out " drag " (words[i + 3] == "left" ? "-" : "") words[i + 1] " " \
          (words[i + 6] == "up" ? "-" : "") words[i + 5]
        i += 6
      } else if (w ~ /^(Left|Right|Up|Down)$/ && words[i + 1] ~ /^×[0-9]+$/) {
        out = out " " tolower(w) " " substr(words[i + 1], 3)
        i++
      }
    }
    return substr(out, 2)
  }
  ' "$guide"
}

# The patch of experiment $1.
patch_of() {
  experiments | awk -v name="$1" '
    /^@@# / { next }
    /^@@@ / { take = index($0, "@@@ " name "|") == 1; next }
    take'
}

case "${1:-}" in
  list) experiments | sed -n 's/^@@@ //p' ;;
  apply)
    [ "$#" -eq 3 ] || { echo "usage: $0 apply NAME FOLDER" >&2; exit 2; }
    name=$2 folder=$3
    line=$(experiments | grep "^@@@ $name|") || { echo "$guide: no experiment $name" >&2; exit 1; }
    rm -rf "$folder" && mkdir -p "$folder"
    patch_of "$name" >"$folder.patch"
    files=$(echo "$line" | cut -d'|' -f2)
    for file in $files; do
      mkdir -p "$folder/$(dirname "$file")"
      cp "$file" "$folder/$file"
    done
    # Outside any repository, so that git applies it as to a checkout (not relative to ours).
    if ! (cd "$folder" && GIT_CEILING_DIRECTORIES=$(cd .. && pwd) git apply "$(pwd).patch"); then
      echo "$guide: the patch of drawing/try/$name.png does not apply to the sources" >&2
      exit 1
    fi
    ;;
  strays)
    made=$(experiments | sed -n 's/^@@@ \([^|]*\)|.*/\1.png/p')
    status=0
    for picture in docs/drawing/try/*.png; do
      [ -e "$picture" ] || continue
      if ! echo "$made" | grep -qx "$(basename "$picture")"; then
        echo "$picture: no experiment of $guide makes it" >&2
        status=1
      fi
    done
    exit "$status"
    ;;
  about) experiments | sed -n 's/^@@# //p' ;;
  patch)
    [ "$#" -eq 2 ] || { echo "usage: $0 patch NAME" >&2; exit 2; }
    experiments | grep -q "^@@@ $2|" || { echo "$guide: no experiment $2" >&2; exit 1; }
    patch_of "$2" ;;
  *) echo "usage: $0 list | apply NAME FOLDER | strays | about | patch NAME" >&2; exit 2 ;;
esac
