#!/bin/sh
# Installs the Debian packages that are missing for a purpose: "run" (build and start the
# viewer) or "test" (build and run every test). Runs apt-get as root, through sudo otherwise.
set -eu

run_packages="cmake make g++ pkg-config freeglut3-dev libgl1-mesa-dri xvfb xauth x11-utils imagemagick"
test_packages="$run_packages clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev xdotool valgrind desktop-file-utils dpkg-dev clang-format clang-tidy cppcheck"

case "${1:-}" in
  run) wanted=$run_packages ;;
  test) wanted=$test_packages ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=""
for package in $wanted; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then as_root=""; else as_root="sudo"; fi
echo "Installing:$missing"
$as_root apt-get update -qq
# shellcheck disable=SC2086 # the list is meant to split into words
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq --no-install-recommends $missing
