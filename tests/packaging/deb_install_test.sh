#!/bin/sh
# The .deb as a user installs it, with apt: man finds its manual page, `car` starts from the
# PATH Debian gives a user, and removing the package takes every file of it away. Needs root,
# since it changes the machine's packages; exits 77 (skipped) otherwise, or when a package named
# car is already installed, which the test would replace and remove.
# Usage: deb_install_test.sh SOURCE_DIR BUILD_DIR
. "$1/tests/packaging/lib.sh"

if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the package is not installed; run as root to test installing it"
  exit 77
fi
if dpkg-query -W -f='${Status}' car 2>/dev/null | grep -q -v '^unknown ok not-installed$'; then
  echo "a package named car is installed already; not replacing it"
  exit 77
fi

build_deb

installed_package=car
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -q \
  --no-install-recommends "$deb" >"$scratch/apt.log" 2>&1 ||
  { cat "$scratch/apt.log" >&2; fail "apt-get install failed"; }

page=$(man -w 6 car) || fail "man 6 car finds no page (does a dpkg path-exclude drop /usr/share/man?)"
[ "$page" = /usr/share/man/man6/car.6.gz ] || fail "man 6 car finds $page, not the package's page"
[ "$(man -w car)" = "$page" ] || fail "man car finds $(man -w car), not $page"

# Debian's default PATH for users (/etc/profile), which has /usr/games; the menu entry's Exec
# relies on it.
exec_command=$(desktop_command /usr/share/applications/example.c_seed_4ad1f6c7.car.desktop)
program=$(PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games command -v "$exec_command") ||
  fail "Exec=$exec_command is not on a user's PATH"
[ "$program" = /usr/games/car ] || fail "Exec=$exec_command runs $program, not /usr/games/car"
check_window_appears "$program"
kill "$car_pid"
wait "$car_pid" 2>/dev/null || true
car_pid=""

files=$(dpkg-query -L car)
apt-get -o DPkg::Lock::Timeout=600 remove -y -q car >"$scratch/apt.log" 2>&1 ||
  { cat "$scratch/apt.log" >&2; fail "apt-get remove failed"; }
installed_package=""
status=$(dpkg-query -W -f='${Status}' car 2>/dev/null) || true
[ -z "$status" ] || [ "$status" = "unknown ok not-installed" ] ||
  fail "after apt-get remove the package is still \"$status\""
for path in $files; do
  [ -d "$path" ] || [ ! -e "$path" ] || fail "apt-get remove left $path"
done
! man -w 6 car >/dev/null 2>&1 || fail "man 6 car still finds a page after removal"
