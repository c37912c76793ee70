#!/bin/sh
# Makes the README's pictures: runs the viewer on a virtual display, plays a short drive and a
# drag with xdotool, and writes PNG screenshots of its window.
#   tools/screenshots.sh [FOLDER]    writes start.png, driven.png and orbited.png (default: docs)
set -eu
cd "$(dirname "$0")/.."
folder=${1:-docs}

scripts/setup.sh pictures
cmake -S . -B build/pictures -DBUILD_TESTING=OFF >/dev/null
cmake --build build/pictures --target car -j "$(nproc)" >/dev/null
mkdir -p "$folder"

. scripts/lib/xvfb.sh
car_pid=""
trap '[ -z "$car_pid" ] || kill "$car_pid" 2>/dev/null || true; stop_xvfb' EXIT
start_xvfb -ardelay 60000  # no key auto-repeats however slowly xdotool sends it
build/pictures/src/car &
car_pid=$!
window=$(wait_for_window Car)
# No window manager runs: place the window on screen and give it the keyboard, as one would.
xdotool windowmove --sync "$window" 0 0
xdotool windowfocus --sync "$window"

# Writes the window to $1 once it shows a settled picture other than the one in $2.
shot_after_change() {
  tries=0
  while :; do
    grab_window "$window" "$1"
    if ! cmp -s "$1" "$2"; then return 0; fi
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then echo "the picture did not change for $1" >&2; return 1; fi
  done
}

grab_window "$window" "$folder/start.png"

# Steer 30 degrees left, drive on, and steer 20 more: the body turns, the front wheels lead.
xdotool key --delay 0 --repeat 60 Left
xdotool key --delay 0 --repeat 12 Up
xdotool key --delay 0 --repeat 40 Left
shot_after_change "$folder/driven.png" "$folder/start.png"

# Drag right and down: the scene turns about the world origin, seen from above and in front.
xdotool mousemove --window "$window" 300 300 mousedown 1
xdotool mousemove --window "$window" 340 330
xdotool mouseup 1
shot_after_change "$folder/orbited.png" "$folder/driven.png"

echo "Wrote $folder/start.png, $folder/driven.png and $folder/orbited.png"
