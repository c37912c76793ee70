#!/bin/sh
# Installs the Debian packages that are missing for a purpose: "run" (build and start the
# viewer), "input" (the same, and give it input: scripts/run.sh --pose or --input), "test" (build
# and run every test), "web" (build the web page), "pictures" (make the README's pictures),
# "guide" (make the pictures of docs/drawing.md) or "windows" (cross-build, package and test the
# Windows program). Runs apt-get as root, through sudo otherwise.
set -eu

run_packages="cmake make g++ pkg-config freeglut3-dev libgl1-mesa-dri xvfb xauth x11-utils imagemagick"
test_packages="$run_packages clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev xdotool valgrind desktop-file-utils dpkg-dev file clang-format clang-tidy cppcheck"
# The web page and its browser tests. Emscripten depends on a node, which may have come from
# outside Debian's packages, as may npm: Debian's npm is added below only where none is found.
# qrencode prints the page's network address as a QR code (scripts/web.sh serve --lan), which
# the tests read back with zbar-tools.
web_packages="cmake make emscripten qrencode"
test_packages="$test_packages emscripten chromium qrencode zbar-tools"
# The page's tests in the other two engines: Firefox, and WebKitGTK's driver and MiniBrowser
# (both on Xvfb; xdotool moves WebKit's pointer).
test_packages="$test_packages firefox-esr webkit2gtk-driver libwebkit2gtk-4.1-0"
# The page heard through a screen reader: Orca in Firefox, speaking through speech-dispatcher and
# espeak-ng, on its own session D-Bus and accessibility bus; pyatspi reads the page's names.
test_packages="$test_packages orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng at-spi2-core python3-pyatspi"
# The benchmarks' frame probe (Xlib), and the profiler that finds where their time goes.
test_packages="$test_packages libx11-dev linux-perf"
# The end-to-end tests' synthetic keyboard and mouse (XTest).
test_packages="$test_packages libxtst-dev"
# The pictures of docs/drawing.md, written and compared as PNG.
test_packages="$test_packages libpng-dev"
# The packaging tests: Debian's package checker, the AppStream validator, man and col.
test_packages="$test_packages lintian appstream man-db bsdextrautils"
# scripts/lint.sh's check of the shell scripts.
test_packages="$test_packages shellcheck"
# What configuring the tests needs, though a purpose builds only a few of them.
test_config_packages="libgtest-dev libbenchmark-dev libx11-dev libxtst-dev libpng-dev"
# tools/guide-pictures.sh: the guide's picture tools and the viewer, patched, on a private Xvfb.
guide_packages="$run_packages git $test_config_packages"
# scripts/run.sh --pose or --input: xdotool gives the viewer the input.
input_packages="$run_packages xdotool"
# tools/screenshots.sh: the viewer on a virtual display, driven by xdotool.
pictures_packages=$input_packages
# scripts/windows.sh: the mingw-w64 cross compiler, dpkg-dev to unpack freeglut's source package,
# GoogleTest's sources, NSIS for the installer, and Wine on a virtual display to run it all; the
# Linux build it compares with configures the tests, which need the rest.
windows_packages="$run_packages g++-mingw-w64-x86-64-posix dpkg-dev googletest nsis wine wine64"
windows_packages="$windows_packages $test_config_packages"

# scripts/release.sh: the Debian package, with what CPack needs to work out its Depends and
# lintian to check it (it calls the windows and web set-ups for the rest).
release_packages="$run_packages dpkg-dev file lintian"
# scripts/reproducible.sh: two releases from clones, compared by diffoscope.
reproducible_packages="$release_packages git diffoscope-minimal"

case "${1:-}" in
  run) wanted=$run_packages ;;
  input) wanted=$input_packages ;;
  test) wanted=$test_packages ;;
  web) wanted=$web_packages ;;
  pictures) wanted=$pictures_packages ;;
  guide) wanted=$guide_packages ;;
  windows) wanted=$windows_packages ;;
  release) wanted=$release_packages ;;
  reproducible) wanted=$reproducible_packages ;;
  *) echo "usage: $0 run|input|test|web|pictures|guide|windows|release|reproducible" >&2; exit 2 ;;
esac
if [ "$1" = test ] && ! command -v npm >/dev/null 2>&1; then wanted="$wanted nodejs npm"; fi

missing=""
for package in $wanted; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then as_root=""; else as_root="sudo"; fi
echo "Installing:$missing"
# Waits for another apt or dpkg run to finish instead of failing at once.
$as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
# Set through env, after sudo, whose reset of the environment would drop it.
# shellcheck disable=SC2086 # the list is meant to split into words
$as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends $missing
