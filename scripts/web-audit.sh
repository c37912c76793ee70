#!/bin/sh
# Measures the web page as users and their tools would, side by side with its floor (a page
# that draws one triangle on the same window, built with it): the weight of its files, then
# in rounds taking turns, on a phone with the CPU slowed 4 times, the first frame, the main
# thread's blocking time and the cost of one redraw, and Lighthouse 12's mobile audit; medians
# and ratios in one table (tests/web/measure.mjs). WEB_BENCH_ROUNDS sets the rounds (default
# 5). A measurement, not a test: figures move with the load on the machine. Lighthouse is
# installed on first use into build/web-audit, outside the tests' packages.
set -eu
cd "$(dirname "$0")/.."

scripts/web.sh build >/dev/null
(cd tests/web && npm ci --no-audit --no-fund >/dev/null)
if [ ! -x build/web-audit/node_modules/.bin/lighthouse ]; then
  npm install --prefix build/web-audit --no-audit --no-fund lighthouse@12 >/dev/null
fi
node tests/web/measure.mjs build/web-audit/node_modules/.bin/lighthouse
