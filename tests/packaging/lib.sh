# Set-up and checks shared by the packaging tests, which take the arguments SOURCE_DIR BUILD_DIR
# and start with: . "$1/tests/packaging/lib.sh"
set -eu
source_dir=$1
build_dir=$2
. "$source_dir/scripts/lib/xvfb.sh"
scratch=$(mktemp -d)
car_pid=""
# A failing kill (the program already gone) must not end the trap under set -e before Xvfb stops.
trap '[ -z "$car_pid" ] || kill "$car_pid" 2>/dev/null || true; stop_xvfb; rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Checks an installed tree under the prefix $1 (e.g. /usr) the way a desktop reads it:
# nothing outside the program, the menu entry and the icons; an entry that validates, whose
# Exec names the installed program and whose Icon names hicolor icons of the size they claim.
check_installed_tree() {
  prefix=$1
  stray=$(cd "$prefix" && find . -type f | grep -v -E '^\./(bin/[^/]+|share/applications/[^/]+\.desktop|share/icons/hicolor/[0-9]+x[0-9]+/apps/[^/]+\.png)$') || true
  [ -z "$stray" ] || fail "unexpected files installed: $stray"

  entry=$prefix/share/applications/car.desktop
  [ -f "$entry" ] || fail "no desktop entry at $entry"
  problems=$(desktop-file-validate "$entry" 2>&1) || true
  [ -z "$problems" ] || fail "desktop-file-validate: $problems"

  exec_command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$prefix/bin/$exec_command" ] || fail "Exec=$exec_command is not an installed program"

  icon=$(sed -n 's/^Icon=//p' "$entry")
  icons=$(cd "$prefix" && ls share/icons/hicolor/*/apps/"$icon".png 2>/dev/null) || true
  [ -n "$icons" ] || fail "no hicolor icon named $icon"
  [ -f "$prefix/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "no 48x48 icon, the size menus use"
  for path in $icons; do
    folder_size=$(basename "$(dirname "$(dirname "$path")")")
    actual_size=$(identify -format '%wx%h' "$prefix/$path")
    [ "$folder_size" = "$actual_size" ] || fail "$path is $actual_size"
  done
}

# Runs the program $1 on a private virtual display until its window "Car" appears.
check_window_appears() {
  start_xvfb
  "$1" &
  car_pid=$!
  window=$(wait_for_window Car) || fail "$1 showed no window \"Car\""
  echo "$1 opened window $window titled \"Car\""
}
