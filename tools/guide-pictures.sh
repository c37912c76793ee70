#!/bin/sh
# Makes the pictures of docs/drawing.md from the program's own drawing code: each frame of the
# steps is recorded from the real handlers and Display, replayed into a real window on a private
# Xvfb and cut after each step; each "Try it yourself" is the viewer built with the guide's patch,
# driven with the guide's keys. The tests fail when a committed picture differs from what this
# makes.
#   tools/guide-pictures.sh [FOLDER]    writes the pictures (default: docs/drawing)
set -eu
cd "$(dirname "$0")/.."
folder=${1:-docs/drawing}

scripts/setup.sh guide
cmake -S . -B build/guide >/dev/null
cmake --build build/guide --target guide_pictures frame_calls guide_try guide_try_viewers \
  -j "$(nproc)" >/dev/null
mkdir -p "$folder/try"
tools=build/guide/tests/guide
$tools/guide_pictures $tools/frame_calls write "$folder"
tools/guide-experiments.sh list | while IFS='|' read -r name files input; do
  if [ -n "$files" ]; then viewer=$tools/try_$name; else viewer=build/guide/src/car; fi
  # shellcheck disable=SC2086 # the input is words
  $tools/guide_try write "$folder/try/$name.png" "$viewer" $input
done
echo "Wrote the pictures of docs/drawing.md to $folder"
