#!/bin/sh
# The installer under Wine: a silent install puts car.exe, the README and the Start-menu entry
# "Car" in place and the installed program opens its window; an install replaces an older copy,
# one for this user alone as well as one for all users; one silent uninstall then leaves nothing
# behind. Pass or fail, the Wine prefix is left as the test found it.
# Usage: installer_test.sh SOURCE_DIR INSTALLER, with WINEPREFIX naming a Wine prefix.
set -eu
. "$1/scripts/lib/xvfb.sh"
installer=$2
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
scratch=$(mktemp -d)

program_dir="$WINEPREFIX/drive_c/Program Files/Car"
menu_dir="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Car"
user=$(id -un)
user_programs="$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs"
user_menu_dir="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Car"
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall'

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Every file and folder under C:\ and every registry key. The uninstaller runs from a copy of
# itself in the user's Temp folder, which Windows deletes at the next restart: Temp is left out.
snapshot() {
  (cd "$WINEPREFIX" && find drive_c -mindepth 1 ! -path 'drive_c/users/*/Temp/*' | sort)
  # Keys are written out as "[path] timestamp"; Wine writes the files when its server stops.
  sed -n 's/^\[\(.*\)\].*/HKLM\\\1/p' "$WINEPREFIX/system.reg"
  sed -n 's/^\[\(.*\)\].*/HKCU\\\1/p' "$WINEPREFIX/user.reg"
}

# Removes every file, folder and key added since the snapshot $scratch/found. In this order a
# folder or key comes before what it holds, which goes with it.
remove_added() {
  removed=""
  snapshot | sort | comm -13 "$scratch/found" - | while IFS= read -r added; do
    case $added in
      "$removed"/* | "$removed"\\*) ;;
      drive_c/*) rm -rf "${WINEPREFIX:?}/$added" && removed=$added ;;
      *)
        wine reg delete "$(printf "%s\n" "$added" | sed 's/\\\\/\\/g')" /f </dev/null >/dev/null 2>&1 || true
        removed=$added
        ;;
    esac
  done
  wineserver -w
}

# A run that stopped before its uninstall would leave Car in the prefix, and the next run would
# take it for part of the prefix: what it added is removed again. Wine's files list a key only
# where it holds values or nothing, so a key left empty by removing its last subkey shows up
# only in the next pass.
restore_prefix() {
  status=$?
  wineserver -k 2>/dev/null || true
  if [ -f "$scratch/found" ]; then
    wineserver -w
    passes=0
    while ! left=$(snapshot | sort | diff "$scratch/found" -); do
      passes=$((passes + 1))
      if [ "$passes" -gt 3 ]; then
        echo "FAIL: the Wine prefix could not be restored: $left" >&2
        status=1
        break
      fi
      remove_added
    done
  fi
  stop_xvfb
  rm -rf "$scratch"
  exit "$status"
}
trap restore_prefix EXIT

[ -f "$installer" ] || fail "no installer at $installer: cpack makes it"
start_xvfb
wineserver -w
snapshot | sort >"$scratch/found"
# What a Windows user's profile has: the folder of programs installed for them alone, and the
# key their uninstall entries go under. Uninstallers leave both.
mkdir -p "$user_programs"
wine reg add "HKCU\\$uninstall_key" /f >/dev/null
wineserver -w
snapshot >"$scratch/before"

# A copy for this user alone, as a user who is not an administrator gets: Wine's user is one, so
# an install for all users into the per-user folder has its keys and shortcuts moved to the user's.
wine "$installer" /S "/D=C:\\users\\$user\\AppData\\Local\\Programs\\Car"
for key in "$uninstall_key\\Car" 'Software\the Car authors'; do
  wine reg copy "HKLM\\$key" "HKCU\\$key" /s /f >/dev/null
  wine reg delete "HKLM\\$key" /f >/dev/null
done
mkdir -p "$(dirname "$user_menu_dir")"
mv "$menu_dir" "$user_menu_dir"
[ -f "$user_programs/Car/car.exe" ] || fail "no car.exe in $user_programs/Car"

wine "$installer" /S
wineserver -w
[ ! -e "$user_programs/Car" ] || fail "the install left the copy for this user in $user_programs/Car"
[ ! -e "$user_menu_dir" ] || fail "the install left the Start-menu folder for this user"
! wine reg query "HKCU\\$uninstall_key\\Car" >/dev/null 2>&1 ||
  fail "the install left the uninstall entry of the copy for this user"
for file in car.exe README.txt LICENSE.txt Uninstall.exe; do
  [ -f "$program_dir/$file" ] || fail "no $file in $program_dir"
done
[ -f "$menu_dir/Car.lnk" ] || fail "no Start-menu entry Car in $menu_dir"
strings -e l "$menu_dir/Car.lnk" | grep -q 'car\.exe$' || fail "Car.lnk does not start car.exe"

wine 'C:\Program Files\Car\car.exe' 2>/dev/null &
window=$(wait_for_window Car) || fail "the installed car.exe showed no window \"Car\""
echo "the installed car.exe opened window $window titled \"Car\""
wineserver -k

# Installed again over the copy for all users, then uninstalled once. The uninstaller goes on
# from its copy in Temp after this returns: wait for Wine to be idle.
wine "$installer" /S
wineserver -w
[ -f "$program_dir/car.exe" ] || fail "the second install for all users left no car.exe"
wine 'C:\Program Files\Car\Uninstall.exe' /S
wineserver -w
left=$(snapshot | diff "$scratch/before" -) || fail "the uninstall left or changed: $left"
echo "replaced a copy for this user and one for all users, opened, uninstalled without a trace"
