#!/bin/sh
# Sets up what is missing, builds the viewer and starts it. Where no display can be reached,
# runs it on a virtual display instead and saves its first frame as a PNG. --pose and --input
# give it input once its window shows, as synthetic X input; every other argument goes to the
# viewer, whose GLUT reads it.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib/xvfb.sh
. scripts/lib/send_input.sh

usage() {
  cat <<END
usage: scripts/run.sh [--pose] [--input WORDS] [--help] [GLUT options]
  --pose         once the window shows, put the viewer in the drawing guide's pose
                 (docs/drawing.md, step 3): the input "$(guide_input pose)"
  --input WORDS  once the window shows, give the viewer the input WORDS, in the guide's words:
                   drag DX DY             press at the middle of the window, move by DX, DY
                                          pixels and release
                   left|right|up|down N   press and release that arrow key N times
                 for example --input "up 2"; given after --pose or twice, it follows on
  --help         print this and stop
Every other argument goes to the viewer as GLUT options (man car), unchanged.
Where no display can be reached, the viewer runs on a virtual display and the picture of its
window is saved to out/: its first frame, or with input, the frame after it.
END
}

# The input options taken out; the other arguments kept in their order.
input_given=false
words=""
left=$#
while [ "$left" -gt 0 ]; do
  argument=$1
  shift
  left=$((left - 1))
  case $argument in
    --help) usage; exit 0 ;;
    --pose) input_given=true; words="$words $(guide_input pose)" ;;
    --input)
      if [ "$left" -eq 0 ]; then
        echo "--input wants WORDS; scripts/run.sh --help says which" >&2
        exit 2
      fi
      input_given=true; words="$words $1"
      shift
      left=$((left - 1)) ;;
    *) set -- "$@" "$argument" ;;
  esac
done
words=${words# }
if $input_given; then
  check_input "$words" || { echo "scripts/run.sh --help says which words it takes" >&2; exit 2; }
  scripts/setup.sh input
else
  scripts/setup.sh run
fi
cmake --preset release >/dev/null
cmake --build build/release --target car -j "$(nproc)"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  if ! $input_given; then exec build/release/src/car "$@"; fi
  # Another viewer may be open already: the input goes to the new one's window.
  others=$(windows_titled Car)
  build/release/src/car "$@" &
  car_pid=$!
  # A viewer started in the background ignores Ctrl+C: end it with this script.
  trap 'kill "$car_pid" 2>/dev/null || true' EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  window=$(wait_for_window Car "$others")
  send_input "$window" "$words"
  echo "Gave the viewer the input \"$words\"."
  # Its exit status is this script's.
  wait "$car_pid"
  exit
fi

echo "No display reachable (DISPLAY='${DISPLAY:-}'): running the viewer on a virtual display."
car_pid=""
trap '[ -z "$car_pid" ] || kill "$car_pid" 2>/dev/null || true; stop_xvfb' EXIT
if $input_given; then
  # No key auto-repeats, however slowly a busy machine takes it.
  start_xvfb -ardelay 60000
else
  start_xvfb
fi
# No window manager places the window: put it at the corner so all of it is on screen.
build/release/src/car -geometry +0+0 "$@" &
car_pid=$!
window=$(wait_for_window Car)
mkdir -p out
if $input_given; then
  send_input "$window" "$words" out/after-input.png
  echo "Saved its frame after the input \"$words\" to $(pwd)/out/after-input.png"
else
  grab_window "$window" out/first-frame.png
  echo "Saved its first frame to $(pwd)/out/first-frame.png"
fi
echo "To use it, run on a desktop session: scripts/run.sh (or build/release/src/car)"
