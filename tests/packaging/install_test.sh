#!/bin/sh
# `cmake --install` into a scratch prefix gives a tree a desktop can use, and the installed
# program opens its window. Usage: install_test.sh SOURCE_DIR BUILD_DIR
. "$1/tests/packaging/lib.sh"

cmake --install "$build_dir" --prefix "$scratch/prefix" >/dev/null

check_installed_tree "$scratch/prefix"
check_window_appears "$scratch/prefix/games/car"
