#!/bin/sh
# The patched sources of the guide's experiments, as the tests' patched viewers and the browser
# lab's programs are built from them (cmake/guide_experiments.cmake), in a small project over a
# copy of the sources: a build of an experiment whose patch the guide prints as it applies must
# succeed, and once its patch is edited so that it no longer applies, must fail, naming it.
# Arguments: SOURCE_DIR CMAKE.
set -eu
source_dir=$1 cmake=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/project/docs" "$scratch/project/tools" "$scratch/project/cmake"
cp -R "$source_dir/src" "$scratch/project/"
cp "$source_dir/docs/drawing.md" "$scratch/project/docs/"
cp "$source_dir/tools/guide-experiments.sh" "$scratch/project/tools/"
cp "$source_dir/cmake/guide_experiments.cmake" "$scratch/project/cmake/"
cat >"$scratch/project/CMakeLists.txt" <<'END'
cmake_minimum_required(VERSION 3.16)
project(patched NONE)
include(cmake/guide_experiments.cmake)
guide_patched_sources(swapped src/render/display.cpp ${CMAKE_BINARY_DIR}/try/swapped patched main)
add_custom_target(patched ALL DEPENDS ${patched})
END

build() {
  rm -rf "$scratch/build"
  "$cmake" -S "$scratch/project" -B "$scratch/build" >/dev/null &&
    "$cmake" --build "$scratch/build" >"$scratch/log" 2>&1
}

if ! build; then
  cat "$scratch/log" >&2
  echo "FAIL: the guide's patch of swapped, as printed, did not build" >&2
  exit 1
fi
# Patched: the car turned before it is moved.
if ! awk '/glRotatef\(body_Rot/ { turned = 1 } /glTranslatef\(xTran/ { exit !turned }' \
  "$scratch/build/try/swapped/src/render/display.cpp"; then
  echo "FAIL: the patched copy is not the guide's patch applied" >&2
  exit 1
fi

# One removed line of the patch no longer matches the source.
sed -i 's/^-  glTranslatef(xTran, 0.0f, zTran);$/-  glTranslatef(xTran, 1.0f, zTran);/' \
  "$scratch/project/docs/drawing.md"
if build; then
  echo "FAIL: a patch that does not apply built" >&2
  exit 1
fi
if ! grep -q 'the patch of drawing/try/swapped.png does not apply' "$scratch/log"; then
  cat "$scratch/log" >&2
  echo "FAIL: the failed build does not name the experiment" >&2
  exit 1
fi
echo "PASS"
