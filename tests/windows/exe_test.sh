#!/bin/sh
# The zip holds car.exe, a README for Windows users and the licence; car.exe is a stripped GUI
# program that needs only DLLs every Windows has, with the car icon and version information.
# Usage: exe_test.sh ZIP VERSION
set -eu
zip=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[ -f "$zip" ] || fail "no zip at $zip: cpack makes it"
(cd "$scratch" && cmake -E tar xf "$zip")
folder=$scratch/$(basename "$zip" .zip)
listed=$(cd "$folder" && find . -type f | sort | tr '\n' ' ')
[ "$listed" = "./LICENSE.txt ./README.txt ./car.exe " ] || fail "the zip holds $listed"
exe=$folder/car.exe

# Plain text with Windows line endings, saying how to start and remove the program and how to
# get past the warning about an unsigned program.
readme=$folder/README.txt
[ "$(grep -c "$(printf '\r')\$" "$readme")" = "$(wc -l <"$readme")" ] || fail "README.txt has lines without CR LF"
for words in "Car $version" "car.exe" "LICENSE.txt" "Start menu" "Uninstall" "More info" "Run anyway" "Up / Down"; do
  grep -qF "$words" "$readme" || fail "README.txt does not mention \"$words\""
done
! grep -qE '(^#|\]\(|scripts/|`)' "$readme" || fail "README.txt has Markdown or the repository's commands"

headers=$(x86_64-w64-mingw32-objdump -p -h "$exe")
echo "$headers" | grep -q 'Subsystem.*(Windows GUI)' || fail "car.exe is not a GUI program"
! echo "$headers" | grep -q '\.debug' || fail "car.exe is not stripped"
# Those of Windows itself, and msvcrt.dll, which every Windows since XP has.
dlls=$(echo "$headers" | sed -n 's/.*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort | tr '\n' ' ')
[ "$dlls" = "advapi32.dll gdi32.dll kernel32.dll msvcrt.dll opengl32.dll user32.dll winmm.dll " ] ||
  fail "car.exe needs $dlls"

# Resource names and version strings are UTF-16 in the file.
texts=$(strings -e l -n 3 "$exe")
echo "$texts" | grep -q "GLUT_ICON$" || fail "no icon named GLUT_ICON, the one freeglut's windows take"
echo "$texts" | grep -A1 -x ProductName | grep -qx Car || fail "ProductName is not Car"
echo "$texts" | grep -A1 -x ProductVersion | grep -qx "$version" || fail "ProductVersion is not $version"
echo "car.exe: GUI, stripped, needs $dlls, icon and version $version"
