#!/bin/sh
# The .deb that CPack builds: its control fields, a Depends that names the package of every
# shared library the program needs, its files unpacked into a scratch root, and the packaged
# program opening its window. Usage: deb_test.sh SOURCE_DIR BUILD_DIR
. "$1/tests/packaging/lib.sh"

(cd "$build_dir" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$scratch"/out/*.deb)

[ "$(dpkg-deb -f "$deb" Package)" = car ] || fail "package name is not car"
arch=$(dpkg --print-architecture)
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "wrong architecture"

dpkg-deb -x "$deb" "$scratch/root"
depends=$(dpkg-deb -f "$deb" Depends)
# One package name a line, without versions; alternatives (a | b) each count.
depends_names=$(echo "$depends" | tr ',|' '\n\n' | awk '{ print $1 }')
for library in $(objdump -p "$scratch/root/usr/bin/car" | awk '$1 == "NEEDED" { print $2 }'); do
  package=$(dpkg -S "*/$library" | sed -n "s/^\([^:]*\):$arch: .*/\1/p" | head -n 1)
  [ -n "$package" ] || fail "no installed package holds $library"
  echo "$depends_names" | grep -q -x -F "$package" || fail "Depends ($depends) lacks $package, which holds $library"
done

check_installed_tree "$scratch/root/usr"
check_window_appears "$scratch/root/usr/bin/car"
