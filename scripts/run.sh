#!/bin/sh
# Sets up what is missing, builds the viewer and starts it. Where no display can be reached,
# runs it on a virtual display instead and saves its first frame as a PNG.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh run
cmake --preset release >/dev/null
cmake --build build/release --target car -j "$(nproc)"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec build/release/src/car "$@"
fi

. scripts/lib/xvfb.sh
echo "No display reachable (DISPLAY='${DISPLAY:-}'): running the viewer on a virtual display."
car_pid=""
trap '[ -z "$car_pid" ] || kill "$car_pid" 2>/dev/null || true; stop_xvfb' EXIT
start_xvfb
# No window manager places the window: put it at the corner so all of it is on screen.
build/release/src/car -geometry +0+0 "$@" &
car_pid=$!
window=$(wait_for_window Car)
mkdir -p out
grab_window "$window" out/first-frame.png
echo "Saved its first frame to $(pwd)/out/first-frame.png"
echo "To use it, run on a desktop session: scripts/run.sh (or build/release/src/car)"
