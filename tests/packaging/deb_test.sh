#!/bin/sh
# The .deb that CPack builds: lintian finds no error or warning in it; its control fields, a
# Depends that names the package of every shared library the program needs, a changelog of its
# version and a copyright file that holds LICENSE; its files unpacked into a scratch root, and the
# packaged program opening its window. Usage: deb_test.sh SOURCE_DIR BUILD_DIR
. "$1/tests/packaging/lib.sh"

build_deb

[ "$(dpkg-deb -f "$deb" Package)" = car ] || fail "package name is not car"
arch=$(dpkg --print-architecture)
[ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "wrong architecture"

# Pedantic, informational and experimental tags are shown but do not fail the test.
lintian --pedantic --display-info --display-experimental --fail-on error,warning "$deb" ||
  fail "lintian found errors or warnings"

dpkg-deb -x "$deb" "$scratch/root"
doc=$scratch/root/usr/share/doc/car
zcat "$doc/changelog.gz" >"$scratch/changelog"
version=$(dpkg-deb -f "$deb" Version)
[ "$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)" = "$version" ] ||
  fail "the changelog's newest entry is not version $version"
# Debian's machine-readable form, which lintian does not insist on.
[ "$(head -n 1 "$doc/copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
  fail "the copyright file is not in Debian's machine-readable form"
# The licence text, the file's only indented lines (" ." for a blank one), is LICENSE after its
# copyright line.
sed -n 's/^ //p' "$doc/copyright" | sed 's/^\.$//' >"$scratch/licence"
sed '1,/^Copyright (c)/d' "$source_dir/LICENSE" | sed '1{/^$/d}' | cmp -s - "$scratch/licence" ||
  fail "the copyright file's licence text differs from LICENSE"
grep -q -x -F "Copyright: $(sed -n 's/^Copyright (c) //p' "$source_dir/LICENSE")" "$doc/copyright" ||
  fail "the copyright file does not name LICENSE's copyright holders"

depends=$(dpkg-deb -f "$deb" Depends)
# One package name a line, without versions; alternatives (a | b) each count.
# shellcheck disable=SC2020 # each of the two characters becomes a newline, as meant
depends_names=$(echo "$depends" | tr ',|' '\n\n' | awk '{ print $1 }')
for library in $(objdump -p "$scratch/root/usr/games/car" | awk '$1 == "NEEDED" { print $2 }'); do
  package=$(dpkg -S "*/$library" | sed -n "s/^\([^:]*\):$arch: .*/\1/p" | head -n 1)
  [ -n "$package" ] || fail "no installed package holds $library"
  echo "$depends_names" | grep -q -x -F "$package" || fail "Depends ($depends) lacks $package, which holds $library"
done

check_installed_tree "$scratch/root/usr"
check_window_appears "$scratch/root/usr/games/car"
