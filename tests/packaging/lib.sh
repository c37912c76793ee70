# shellcheck shell=sh
# Set-up and checks shared by the packaging tests, which take the arguments SOURCE_DIR BUILD_DIR
# and start with: . "$1/tests/packaging/lib.sh"
set -eu
source_dir=$1
build_dir=$2
. "$source_dir/scripts/lib/xvfb.sh"
scratch=$(mktemp -d)
car_pid=""
# A package a test installed and has not removed yet, removed on any exit.
installed_package=""
# A failing kill (the program already gone) must not end the trap under set -e before Xvfb stops.
trap '[ -z "$car_pid" ] || kill "$car_pid" 2>/dev/null || true; stop_xvfb
  [ -z "$installed_package" ] || apt-get remove -y -q "$installed_package" >/dev/null 2>&1 || true
  rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Checks an installed tree under the prefix $1 (e.g. /usr) the way a desktop and man read it:
# nothing but the program, menu entry, icons, AppStream metadata, manual page and the licence
# and changelog; an entry that validates, whose Exec names the installed program and whose Icon
# names hicolor icons of the size they claim; metadata that validates and names that entry.
check_installed_tree() {
  prefix=$1
  stray=$(cd "$prefix" && find . -type f | grep -v -E '^\./(games/car|share/applications/[^/]+\.desktop|share/icons/hicolor/[0-9]+x[0-9]+/apps/[^/]+\.png|share/metainfo/[^/]+\.metainfo\.xml|share/man/man6/car\.6\.gz|share/doc/car/(copyright|changelog\.gz))$') || true
  [ -z "$stray" ] || fail "unexpected files installed: $stray"

  entry=$(ls "$prefix"/share/applications/*.desktop)
  [ "$(echo "$entry" | wc -l)" -eq 1 ] || fail "more than one desktop entry: $entry"
  problems=$(desktop-file-validate "$entry" 2>&1) || true
  [ -z "$problems" ] || fail "desktop-file-validate: $problems"

  exec_command=$(desktop_command "$entry")
  [ -x "$prefix/games/$exec_command" ] || fail "Exec=$exec_command is not an installed program"

  icon=$(sed -n 's/^Icon=//p' "$entry")
  icons=$(cd "$prefix" && ls share/icons/hicolor/*/apps/"$icon".png 2>/dev/null) || true
  [ -n "$icons" ] || fail "no hicolor icon named $icon"
  [ -f "$prefix/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "no 48x48 icon, the size menus use"
  for path in $icons; do
    folder_size=$(basename "$(dirname "$(dirname "$path")")")
    actual_size=$(identify -format '%wx%h' "$prefix/$path")
    [ "$folder_size" = "$actual_size" ] || fail "$path is $actual_size"
  done

  # Infos are allowed: the validator does not know the id's top-level domain.
  report=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) || fail "appstreamcli: $report"
  ! echo "$report" | grep -q -E '^ *[EW]: ' || fail "appstreamcli: $report"
  desktop_id=$(basename "$entry")
  metainfo=$prefix/share/metainfo/${desktop_id%.desktop}.metainfo.xml
  [ -f "$metainfo" ] || fail "no AppStream metadata named for $desktop_id"
  grep -q -F "<launchable type=\"desktop-id\">$desktop_id</launchable>" "$metainfo" ||
    fail "$metainfo does not launch $desktop_id"

  check_manual_page "$prefix/share/man/man6/car.6.gz"
}

# The manual page $1 renders without a warning, has a NAME line that apropos can index, and
# names every control and every GLUT option the program takes.
check_manual_page() {
  [ -f "$1" ] || fail "no manual page $1"
  warnings=$(LC_ALL=C.UTF-8 man --warnings=w -l "$1" 2>&1 >/dev/null) || fail "man failed: $warnings"
  [ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
  lexgrog "$1" | grep -q -F '"car - ' || fail "apropos finds no NAME line in $1"
  # Wide enough that no line breaks or hyphenates a name.
  text=$(LC_ALL=C.UTF-8 MANWIDTH=250 man -l "$1" | col -b)
  for name in "Up arrow" "Down arrow" "Left arrow" "Right arrow" "Drag with any button" \
    "Closing the window" -display -geometry -iconic -direct -indirect -gldebug -sync \
    "EXIT STATUS"; do
    echo "$text" | grep -q -F -e "$name" || fail "the manual page does not name \"$name\""
  done
}

# Builds the .deb with CPack into the scratch folder; $deb names it.
build_deb() {
  (cd "$build_dir" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
  # shellcheck disable=SC2034 # read by the tests that source this file
  deb=$(ls "$scratch"/out/*.deb)
}

# Prints the command that the desktop entry $1 runs, without its arguments.
desktop_command() {
  sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$1"
}

# Runs the program $1 on a private virtual display until its window "Car" appears.
check_window_appears() {
  start_xvfb
  "$1" &
  car_pid=$!
  window=$(wait_for_window Car) || fail "$1 showed no window \"Car\""
  echo "$1 opened window $window titled \"Car\""
}
