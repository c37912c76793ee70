# shellcheck shell=sh
# Gives the viewer input in the words of the drawing guide's tools, exactly, as synthetic X input
# (XTest, through xdotool): "drag DX DY" is one press of the first button at the middle of the
# window, one motion by (DX, DY) pixels and the release there; "left|right|up|down COUNT" is
# COUNT presses and releases of that arrow key. Source this file after scripts/lib/xvfb.sh.

# Prints the words the guide gives for its picture drawing/try/$1.png ("pose" is the guide's pose).
# Run from the top of the source.
guide_input() {
  guide_words=$(tools/guide-experiments.sh list | sed -n "s/^$1|[^|]*|//p")
  if [ -z "$guide_words" ]; then
    echo "docs/drawing.md gives no input for drawing/try/$1.png" >&2
    return 1
  fi
  echo "$guide_words"
}

# Fails with status 2, saying why, if the words $1 are not input the viewer can be given.
check_input() {
  input_steps true 0 0 0 "$1"
}

# Gives window $1 the input in the words $2, then waits until the viewer has drawn all of it and
# writes that picture of the window to the PNG $3, if given. Sends nothing if a word is wrong.
send_input() {
  check_input "$2" || return
  await_viewable "$1" || return
  # A window manager gives the window the keyboard when asked through it; without one, take it.
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" || return
  middle=$(xwininfo -id "$1" |
    awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print int(w / 2), int(h / 2)}')
  input_steps xdotool "$1" "${middle% *}" "${middle#* }" "$2" || return
  # The viewer draws input as it reads it: on a busy machine it can draw part of it and then wait
  # its turn, so a picture that holds only briefly need not be the last one. Five grabs in a row
  # the same, a quarter second apart, show one that held for a second.
  picture=${3:-$(mktemp)}
  grab_window "$1" "$picture" 5 0.25
  [ -n "${3:-}" ] || rm -f "$picture"
}

# Runs the command $1 with the xdotool arguments of each step of the words $5, given to window $2
# whose middle is at ($3, $4) in its own coordinates; stops with status 2 at a word it cannot read.
input_steps() {
  # Shell functions share their variables with the caller: these names are this file's own.
  step_run=$1 step_window=$2 middle_x=$3 middle_y=$4
  # The words split at blanks, and none is a file pattern.
  set -f
  # shellcheck disable=SC2086
  set -- $5
  set +f
  while [ "$#" -gt 0 ]; do
    case $1 in
      drag)
        if [ "$#" -lt 3 ] || ! is_number "$2" signed || ! is_number "$3" signed; then
          echo "drag wants two whole numbers of pixels, DX DY" >&2; return 2
        fi
        # X reports the release where the last motion left the pointer.
        $step_run mousemove --window "$step_window" "$middle_x" "$middle_y" mousedown 1 \
          mousemove --window "$step_window" $((middle_x + $2)) $((middle_y + $3)) mouseup 1 ||
          return
        shift 3 ;;
      left | right | up | down)
        if [ "$#" -lt 2 ] || ! is_number "$2"; then
          echo "$1 wants a count of presses" >&2; return 2
        fi
        case $1 in
          left) keysym=Left ;; right) keysym=Right ;; up) keysym=Up ;; down) keysym=Down ;;
        esac
        [ "$2" -eq 0 ] || $step_run key --delay 0 --repeat "$2" "$keysym" || return
        shift 2 ;;
      *) echo "no such input: $1 (drag DX DY, left|right|up|down COUNT)" >&2; return 2 ;;
    esac
  done
}

# Whether $1 is a whole number, with a minus sign first allowed if $2 is "signed".
is_number() {
  digits=$1
  [ "${2:-}" != signed ] || digits=${1#-}
  case $digits in '' | *[!0-9]*) return 1 ;; esac
}

# Waits up to 10 s until window $1 is on screen, where it can take the keyboard and a press.
await_viewable() {
  viewable_tries=0
  until xwininfo -id "$1" | grep -q 'Map State: IsViewable'; do
    viewable_tries=$((viewable_tries + 1))
    [ "$viewable_tries" -lt 200 ] || { echo "window $1 did not come on screen" >&2; return 1; }
    sleep 0.05
  done
}
