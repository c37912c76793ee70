#!/bin/sh
# Makes the menu icons from the viewer's own picture: runs it on a virtual display, turns the
# view to three-quarters with a mouse drag, crops to the car and scales to every icon size.
# Usage: packaging/make-icon.sh [CAR]   CAR: the program to run (default: a fresh build of it)
set -eu
cd "$(dirname "$0")/.."
sizes="48 128 256"

scripts/setup.sh pictures
car=${1:-}
if [ -z "$car" ]; then
  cmake -S . -B build/pkg-icon -DBUILD_TESTING=OFF >/dev/null
  cmake --build build/pkg-icon --target car -j 2 >/dev/null
  car=build/pkg-icon/src/car
fi

. scripts/lib/xvfb.sh
car_pid=""
frame=$(mktemp --suffix=.png)
trap '[ -z "$car_pid" ] || kill "$car_pid" 2>/dev/null || true; stop_xvfb; rm -f "$frame"' EXIT
start_xvfb
"$car" -geometry +0+0 &
car_pid=$!
window=$(wait_for_window Car)

# The view stretches with the window: a square one keeps the car's proportions, and a large
# one gives the largest icon enough pixels.
xdotool windowsize --sync "$window" 1200 1200
# One drag: 25 degrees about y, then 20 down about x, to show the front, side and roof at once.
xdotool mousemove --window "$window" 600 600 mousedown 1 \
  mousemove --window "$window" 625 620 mouseup 1
grab_window "$window" "$frame"

for size in $sizes; do
  # The white background becomes transparent; the car fills the square less a small margin.
  convert "$frame" -fuzz 2% -trim +repage -transparent white \
    -resize "$((size * 15 / 16))x$((size * 15 / 16))" \
    -background none -gravity center -extent "${size}x${size}" \
    -strip "packaging/icons/car-$size.png"
done
echo "Wrote $(for size in $sizes; do printf 'packaging/icons/car-%s.png ' "$size"; done)"
