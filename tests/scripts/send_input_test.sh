#!/bin/sh
# scripts/lib/send_input.sh gives the viewer, on a private Xvfb as scripts/run.sh does without a
# display, the input docs/drawing.md gives for a picture of its "Try it yourself": the middle half
# of the window each way must then be that picture, pixel for pixel; words it cannot read are
# refused. Arguments: SOURCE_DIR VIEWER.
set -eu
cd "$1"
viewer=$2
. scripts/lib/xvfb.sh
. scripts/lib/send_input.sh
scratch=$(mktemp -d)
car_pid=""
trap '[ -z "$car_pid" ] || kill "$car_pid" 2>/dev/null || true; stop_xvfb; rm -rf "$scratch"' EXIT

status=0
# Words it cannot read are refused.
for words in "drag -60" "drag 6O 10" "left" "up -1" "up 2 jump 1"; do
  if check_input "$words" 2>/dev/null; then
    echo "FAIL: \"$words\" was taken as input" >&2
    status=1
  fi
done

# The guide's pose, and two up arrows from the start.
for name in pose rolled; do
  start_xvfb -ardelay 60000
  "$viewer" -geometry +0+0 &
  car_pid=$!
  window=$(wait_for_window Car)
  send_input "$window" "$(guide_input "$name")" "$scratch/$name.png"
  kill "$car_pid"
  car_pid=""
  stop_xvfb

  size=$(identify -format '%w %h' "$scratch/$name.png")
  width=${size% *} height=${size#* }
  middle="$((width / 2))x$((height / 2))+$((width / 4))+$((height / 4))"
  convert "$scratch/$name.png" -crop "$middle" +repage -depth 8 "$scratch/$name-middle.png"
  # The number of pixels that differ, on stderr; an error for pictures of different sizes.
  if ! differ=$(compare -metric AE "$scratch/$name-middle.png" "docs/drawing/try/$name.png" \
    "$scratch/$name-diff.png" 2>&1); then
    echo "FAIL: after \"$(guide_input "$name")\" the middle of the ${width}x$height window" \
      "differs from docs/drawing/try/$name.png: $differ" >&2
    status=1
  fi
done
exit "$status"
