# shellcheck shell=sh
# Shell helpers for running the viewer on a virtual X display, and for finding and grabbing its
# window on any display. Source this file.

# Starts Xvfb on a free display with a 24-bit screen and exports DISPLAY; XVFB_PID holds its pid
# from the start, so that an exit trap set before the call can stop it. A server that has not
# told its display within 5 s is stopped, and the call fails. Extra arguments go to Xvfb.
# -noreset: by default the server resets when its last client leaves and drops any client still
# connecting, so a short-lived probe (xwininfo) ending while the viewer connects would make the
# viewer fail to open the display. The server holds none of our output.
start_xvfb() {
  displayfd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset "$@" 3>"$displayfd_file" \
    >/dev/null 2>&1 &
  XVFB_PID=$!
  tries=0
  until [ -s "$displayfd_file" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
      echo "Xvfb did not start" >&2; rm -f "$displayfd_file"; stop_xvfb; return 1
    fi
    sleep 0.05
  done
  DISPLAY=":$(head -n 1 "$displayfd_file")"
  export DISPLAY
  rm -f "$displayfd_file"
}

# Safe in an EXIT trap under set -e: never fails.
stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  XVFB_PID=""
}

# Prints the ids of the windows titled exactly $1, leaving out those among the ids in $2. At any
# depth: a window manager puts each window in a frame of its own, listed before it.
windows_titled() {
  xwininfo -root -tree 2>/dev/null | awk -v t="\"$1\":" -v old="${2:-}" '
    BEGIN { gsub(/[[:space:]]+/, " ", old); old = " " old " " }
    $2 == t && index(old, " " $1 " ") == 0 { print $1 }'
}

# Prints the id of the window titled exactly $1, waiting up to 10 s for it; with $2, a window
# other than the ids in it, so that one started beside others is told apart.
wait_for_window() {
  tries=0
  while [ "$tries" -lt 200 ]; do
    id=$(windows_titled "$1" "${2:-}" | tail -n 1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    tries=$((tries + 1))
    sleep 0.05
  done
  echo "no window titled '$1' appeared" >&2
  return 1
}

# Writes the client area of window $1 to the PNG $2 once $3 grabs in a row agree (2 if not given),
# taken $4 seconds apart (at once if not given); after 50 grabs, the last one.
# Without a window manager the window's own grab can lose a row, so crop the root window.
grab_window() {
  geometry=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {if (x < 0) {w += x; x = 0} if (y < 0) {h += y; y = 0} printf "%dx%d+%d+%d", w, h, x, y}')
  previous=""
  agreeing=0
  tries=0
  while [ "$tries" -lt 50 ]; do
    import -window root -crop "$geometry" +repage -depth 8 "$2.tmp.png"
    current=$(md5sum < "$2.tmp.png")
    if [ "$current" = "$previous" ]; then agreeing=$((agreeing + 1)); else agreeing=1; fi
    if [ "$agreeing" -ge "${3:-2}" ]; then mv "$2.tmp.png" "$2"; return 0; fi
    previous=$current
    tries=$((tries + 1))
    [ -z "${4:-}" ] || sleep "$4"
  done
  mv "$2.tmp.png" "$2"
}
