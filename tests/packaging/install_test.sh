#!/bin/sh
# `cmake --install` into a scratch prefix gives a tree a desktop can use, and the installed
# program opens its window. Usage: install_test.sh SOURCE_DIR BUILD_DIR
set -eu
source_dir=$1
build_dir=$2
. "$source_dir/scripts/lib/xvfb.sh"
. "$source_dir/tests/packaging/lib.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build_dir" --prefix "$scratch/prefix" >/dev/null

check_installed_tree "$scratch/prefix"
check_window_appears "$scratch/prefix/bin/car"
