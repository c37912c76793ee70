#!/bin/sh
# Builds the viewer for 64-bit Windows, packages it and tests it under Wine, all in build/windows/:
# - freeglut from Debian's source package and GoogleTest from Debian's sources, cross-built with
#   mingw-w64 as static libraries, and kept for later runs;
# - car.exe, car-<version>-win64.zip and the installer car-<version>-win64.exe, in build/windows/car;
# - the scene tests, the packages, the installer under Wine, and car.exe under Wine against the
#   Linux build (build/windows/linux) on one private Xvfb.
# "scripts/windows.sh packages" (for scripts/release.sh) stops after the tests of the Windows
# build itself, without the comparison with the Linux build.
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
out=$top/build/windows
toolchain=$top/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)
export WINEPREFIX="$out/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Runs a step and says how long it took.
timed() {
  name=$1
  shift
  echo "== windows: $name"
  began=$(date +%s.%N)
  "$@"
  echo "   $name: $(echo "$(date +%s.%N) $began" | awk '{ printf "%.1f", $1 - $2 }') s"
}

# Runs a command with its output in build/windows/logs/NAME.log, shown only if it fails.
logged() {
  log=$out/logs/$1.log
  shift
  mkdir -p "$out/logs"
  # Not run as a condition (if, ||), which would turn set -e off in the step's functions: a
  # subshell with set -e ends the step at its first failing command, whose error ends the log.
  set +e
  (set -e; "$@") >"$log" 2>&1
  status=$?
  set -e
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log"
    echo "failed: $* (all of it in $log)" >&2
    return 1
  fi
}

# Whether the prefix $1 was built with the key $2 (what it was built from); the key is written
# to it once the build is done.
built_with() { [ -f "$1/built-with" ] && [ "$(cat "$1/built-with")" = "$2" ]; }

toolchain_key=$(md5sum <"$toolchain" | cut -d' ' -f1)

# freeglut's source package, fetched with a private apt configuration in build/windows/apt:
# its own sources list (a deb-src line for the archive this machine takes freeglut from), lists
# and cache, so the machine's apt set-up is neither read for sources nor changed.
fetch_freeglut() {
  apt_dir=$out/apt
  archive=$(apt-get --print-uris -qq download freeglut3-dev | sed -n "s|^'\(.*\)/pool/.*|\1|p")
  if [ -z "$archive" ]; then
    echo "apt knows no archive with freeglut3-dev: run apt-get update" >&2
    return 1
  fi
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  options=""
  [ -f "$keyring" ] && options="[signed-by=$keyring] "
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  echo "deb-src $options$archive $codename main" >"$apt_dir/sources.list"
  {
    echo "Dir::Etc::SourceList \"$apt_dir/sources.list\";"
    echo "Dir::Etc::SourceParts \"/dev/null\";"
    echo "Dir::State::Lists \"$apt_dir/lists\";"
    echo "Dir::Cache \"$apt_dir/cache\";"
    # As root apt fetches as the _apt user, who cannot write into this tree.
    if [ "$(id -u)" -eq 0 ]; then echo "APT::Sandbox::User \"root\";"; fi
  } >"$apt_dir/apt.conf"
  APT_CONFIG=$apt_dir/apt.conf apt-get -qq update
  rm -rf "$out/source" && mkdir -p "$out/source"
  (cd "$out/source" && APT_CONFIG=$apt_dir/apt.conf apt-get -qq source freeglut)
}

build_freeglut() {
  source_dir=$(find "$out/source" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*')
  rm -rf "$out/freeglut"
  cmake -S "$source_dir" -B "$out/freeglut/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$out/freeglut/install" \
    -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
    -DFREEGLUT_REPLACE_GLUT=ON
  cmake --build "$out/freeglut/build" -j "$jobs"
  cmake --install "$out/freeglut/build"
}

freeglut() {
  # The version of the Linux freeglut the other builds use, which the source package matches.
  key="$(dpkg-query -W -f='${Version}' freeglut3-dev) $toolchain_key"
  if built_with "$out/freeglut/install" "$key"; then echo "   kept from an earlier run"; return; fi
  logged freeglut-fetch fetch_freeglut
  logged freeglut-build build_freeglut
  echo "$key" >"$out/freeglut/install/built-with"
}

googletest() {
  key="$(dpkg-query -W -f='${Version}' googletest) $toolchain_key"
  if built_with "$out/googletest/install" "$key"; then echo "   kept from an earlier run"; return; fi
  rm -rf "$out/googletest"
  logged googletest-configure cmake -S /usr/src/googletest -B "$out/googletest/build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF \
    -DCMAKE_INSTALL_PREFIX="$out/googletest/install"
  logged googletest-build cmake --build "$out/googletest/build" -j "$jobs"
  logged googletest-install cmake --install "$out/googletest/build"
  echo "$key" >"$out/googletest/install/built-with"
}

# A new prefix takes Wine some 10 s to set up, mostly waiting, so it is made while the libraries
# build; the tests then start in about half a second.
make_wine_prefix() {
  logged wineboot wineboot --init
  wineserver --wait
}

program() {
  cmake --preset windows >/dev/null
  cmake --build "$out/car" -j "$jobs"
}

packages() {
  rm -f "$out"/car/car-*-win64.*
  (cd "$out/car" && logged cpack cpack)
}

linux_program() {
  cmake -S . -B "$out/linux" -DCAR_WINDOWS_PROGRAM="$out/car/src/car.exe" \
    -DCAR_WINE_PREFIX="$WINEPREFIX" >/dev/null
  cmake --build "$out/linux" -j "$jobs" --target car wine_test
}

trap 'wineserver --kill 2>/dev/null || true' EXIT
began_all=$(date +%s)
timed "set-up" scripts/setup.sh windows
prefix_pid=""
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  make_wine_prefix &
  prefix_pid=$!
fi
timed "freeglut from Debian's source package" freeglut
timed "GoogleTest from Debian's sources" googletest
[ -z "$prefix_pid" ] || timed "Wine prefix (what is left of making it)" wait "$prefix_pid"
timed "car.exe and the scene tests" program
timed "zip and installer" packages
timed "tests of the Windows build (scene tests, packages, installer)" \
  ctest --test-dir "$out/car" --output-on-failure
if [ "${1:-}" != packages ]; then
  timed "the Linux build to compare with" linux_program
  timed "car.exe under Wine against the Linux build" \
    ctest --test-dir "$out/linux" -R '^wine\.' --output-on-failure
fi
for file in "$out"/car/car-*-win64.zip "$out"/car/car-*-win64.exe \
  "$out"/car/_CPack_Packages/win64/ZIP/*/car.exe; do
  echo "${file#"$out"/car/}: $(stat -c %s "$file") bytes"
done
echo "== windows: all done in $(($(date +%s) - began_all)) s"
