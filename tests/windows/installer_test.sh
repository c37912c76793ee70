#!/bin/sh
# The installer under Wine: a silent install puts car.exe and the Start-menu entry "Car" in
# place, the installed program opens its window, and a silent uninstall leaves nothing behind.
# Usage: installer_test.sh SOURCE_DIR INSTALLER, with WINEPREFIX naming a Wine prefix.
set -eu
. "$1/scripts/lib/xvfb.sh"
installer=$2
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
scratch=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; stop_xvfb; rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Every file and folder under C:\ and every registry key. The uninstaller runs from a copy of
# itself in the user's Temp folder, which Windows deletes at the next restart: Temp is left out.
snapshot() {
  (cd "$WINEPREFIX" && find drive_c -mindepth 1 ! -path 'drive_c/users/*/Temp/*' | sort)
  # Keys are written out as "[path] timestamp"; Wine writes the files when its server stops.
  sed -n 's/^\(\[.*\]\).*/\1/p' "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"
}

[ -f "$installer" ] || fail "no installer at $installer: cpack makes it"
start_xvfb
wineserver -w
snapshot >"$scratch/before"

wine "$installer" /S
program_dir="$WINEPREFIX/drive_c/Program Files/Car"
menu_dir="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Car"
[ -f "$program_dir/car.exe" ] || fail "no car.exe in $program_dir"
[ -f "$program_dir/Uninstall.exe" ] || fail "no uninstaller in $program_dir"
[ -f "$menu_dir/Car.lnk" ] || fail "no Start-menu entry Car in $menu_dir"
strings -e l "$menu_dir/Car.lnk" | grep -q 'car\.exe$' || fail "Car.lnk does not start car.exe"

wine 'C:\Program Files\Car\car.exe' 2>/dev/null &
window=$(wait_for_window Car) || fail "the installed car.exe showed no window \"Car\""
echo "the installed car.exe opened window $window titled \"Car\""
wineserver -k

# The uninstaller goes on from its copy in Temp after this returns: wait for Wine to be idle.
wine 'C:\Program Files\Car\Uninstall.exe' /S
wineserver -w
snapshot >"$scratch/after"
left=$(diff "$scratch/before" "$scratch/after") || fail "the uninstall left or changed: $left"
echo "installed, opened and uninstalled without a trace"
