#!/bin/sh
# Sets up what is missing, then builds and runs every test: the plain build with g++,
# and the address and undefined-behaviour sanitizer build with clang++.
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/setup.sh test

echo "== g++ build and tests"
cmake -S . -B build/test -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

echo "== clang++ sanitizer build (address, undefined) and tests"
cmake -S . -B build/sanitize -DCMAKE_CXX_COMPILER=clang++ -DCAR_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0" \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== web page (Emscripten) and its tests in headless Chromium"
scripts/web.sh build
(cd tests/web && npm ci --no-audit --no-fund && npm test)

echo "== lint: formatting, clang++ build with warnings as errors, clang-tidy, cppcheck"
scripts/lint.sh
