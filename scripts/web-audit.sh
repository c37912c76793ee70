#!/bin/sh
# Measures the web page as users and their tools would, side by side with its two floors, built
# with it: the start floor (one triangle on the same GLUT window, in a bare page with nothing of
# ours) and the redraw floor (the car's own triangles in the drawing guide's pose, drawn by plain
# WebGL). The weight of its files, then in rounds taking turns, on a phone with the CPU slowed
# 4 times: the first frame and the main thread's blocking time against the start floor, one
# redraw and its main thread's share against the redraw floor (whose picture must be the
# page's), and Lighthouse 12's mobile audit; medians and ratios in one table
# (tests/web/measure.mjs). WEB_BENCH_ROUNDS sets the rounds (default 7). A measurement, not a
# test: figures move with the load on the machine. Lighthouse is installed on first use into
# build/web-audit, outside the tests' packages.
set -eu
cd "$(dirname "$0")/.."

scripts/web.sh build >/dev/null
(cd tests/web && npm ci --no-audit --no-fund >/dev/null)
if [ ! -x build/web-audit/node_modules/.bin/lighthouse ]; then
  npm install --prefix build/web-audit --no-audit --no-fund lighthouse@12 >/dev/null
fi
node tests/web/measure.mjs build/web-audit/node_modules/.bin/lighthouse
