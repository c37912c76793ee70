#!/bin/sh
# Sets up what is missing, then builds and runs every test: the plain build with g++ (warnings
# as errors), the address and undefined-behaviour sanitizer build with clang++, a soak under
# valgrind, a minute of fuzzing, the web page in Chromium, Firefox and WebKitGTK, the Windows
# build under Wine, the release made twice to show it is reproducible, and the lint checks.
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/setup.sh test

echo "== g++ build and tests"
cmake --preset test >/dev/null
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs" --timeout 300

echo "== clang++ sanitizer build (address, undefined) and tests"
cmake --preset sanitize >/dev/null
cmake --build build/sanitize -j "$jobs"
LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0" \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs" --timeout 300

echo "== valgrind memcheck: a shorter soak on the g++ build (no invalid access, no leak)"
valgrind --tool=memcheck --error-exitcode=1 --leak-check=full --num-callers=40 \
  --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
  --suppressions=tests/soak/valgrind.supp build/test/tests/soak/car_soak 100000

echo "== libFuzzer: the input handlers for a minute, from the seed corpus and regression inputs"
cmake --preset fuzz >/dev/null
cmake --build build/fuzz --target handler_fuzzer -j "$jobs"
rm -rf build/fuzz/found && mkdir build/fuzz/found
# New inputs go to build/fuzz/found; a failing one to build/fuzz/crash-*: add it to
# tests/fuzz/regressions once fixed.
if ! build/fuzz/tests/fuzz/handler_fuzzer -max_total_time=60 -print_final_stats=1 \
  -artifact_prefix=build/fuzz/ build/fuzz/found tests/fuzz/corpus tests/fuzz/regressions \
  >build/fuzz/fuzz.log 2>&1; then
  tail -n 40 build/fuzz/fuzz.log
  exit 1
fi
grep -E '^(Done|stat::)' build/fuzz/fuzz.log

echo "== web page (Emscripten) and its tests in Chromium, Firefox and WebKitGTK"
scripts/web.sh build
(cd tests/web && npm ci --no-audit --no-fund && npm test)

echo "== Windows: cross-built with mingw-w64, packaged, tested under Wine"
scripts/windows.sh

echo "== reproducible: the release made twice under varied conditions, compared byte for byte"
scripts/reproducible.sh

echo "== lint: formatting, clang++ build with warnings as errors, clang-tidy, cppcheck, Markdown links"
scripts/lint.sh
