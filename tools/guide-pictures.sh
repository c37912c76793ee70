#!/bin/sh
# Makes the pictures of docs/drawing.md from the program's own drawing code: each frame is
# recorded from the real handlers and Display, replayed into a real window on a private Xvfb
# and cut after each step. The tests fail when a committed picture differs from what this makes.
#   tools/guide-pictures.sh [FOLDER]    writes the pictures (default: docs/drawing)
set -eu
cd "$(dirname "$0")/.."
folder=${1:-docs/drawing}

scripts/setup.sh test
cmake -S . -B build/guide >/dev/null
cmake --build build/guide --target guide_pictures frame_calls -j "$(nproc)" >/dev/null
mkdir -p "$folder"
build/guide/tests/guide/guide_pictures build/guide/tests/guide/frame_calls write "$folder"
echo "Wrote the pictures of docs/drawing.md to $folder"
