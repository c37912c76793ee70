#!/bin/sh
# scripts/windows.sh's logged, taken out of the script and run on a step whose first command
# fails: the step must stop there and the log shown must end with that command's error.
# Argument: SOURCE_DIR.
set -eu
source_dir=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
eval "$(sed -n '/^logged() {/,/^}/p' "$source_dir/scripts/windows.sh")"

step() {
  ls "$out/no-such-file"
  echo "went on after the failure"
}

# Called as windows.sh calls it, not as a condition, which would turn set -e off inside.
set +e
(logged step step) >"$out/shown" 2>&1
status=$?
set -e
[ "$status" -ne 0 ] || { echo "FAIL: a failing step passed" >&2; exit 1; }
if grep -q "went on" "$out/shown"; then
  echo "FAIL: the step went on after its failing command; shown:" >&2
  cat "$out/shown" >&2
  exit 1
fi
grep -q "no-such-file" "$out/shown" || { echo "FAIL: the failing command's error was not shown" >&2; exit 1; }
