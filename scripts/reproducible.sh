#!/bin/sh
# Shows that the release is reproducible: makes it twice from the last commit with
# scripts/release.sh, in two clones under build/reproducible/, and compares their build/dist
# byte for byte; diffoscope names the first difference. Between the two builds vary, as
# reprotest varies them: the build folder (its name and depth), the time (the second starts
# minutes after the first), the umask, the locale and the time zone.
# The Windows libraries that scripts/windows.sh has built are lent to both clones; Emscripten's
# cache is the user's own already.
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
work=$top/build/reproducible

scripts/setup.sh reproducible
rm -rf "$work"

# Clones the last commit into $1 and makes the release there with the umask $2, the locale $3
# and the time zone $4.
release_in() {
  git clone -q "$top" "$1"
  for library in freeglut googletest; do
    if [ -d "$top/build/windows/$library" ]; then
      mkdir -p "$1/build/windows" && cp -a "$top/build/windows/$library" "$1/build/windows/"
    fi
  done
  echo "== reproducible: release in $1 (umask $2, LC_ALL=$3, TZ=$4)"
  (cd "$1" && umask "$2" && LC_ALL=$3 TZ=$4 scripts/release.sh >"$1.log" 2>&1) ||
    { tail -n 40 "$1.log"; echo "the release in $1 failed (all of it in $1.log)" >&2; return 1; }
}

release_in "$work/first" 0022 C.UTF-8 UTC
release_in "$work/second/one/level/deeper" 0002 C Pacific/Kiritimati

if diffoscope --text "$work/diffoscope.txt" --exclude-directory-metadata=yes \
  "$work/first/build/dist" "$work/second/one/level/deeper/build/dist"; then
  echo "== reproducible: the two releases are identical"
  (cd "$work/first/build/dist" && cat SHA256SUMS)
else
  head -n 60 "$work/diffoscope.txt"
  echo "the two releases differ (all of it in $work/diffoscope.txt)" >&2
  exit 1
fi
