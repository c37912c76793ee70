#!/bin/sh
# On the X display $DISPLAY, connects 400 short-lived clients one after another while other
# short-lived clients keep coming and going, and fails if any of the 400 could not connect.
# A server that resets when its last client leaves drops the clients still connecting then.
set -u
( while :; do xwininfo -root >/dev/null 2>&1; done ) &
churn=$!
trap 'kill "$churn" 2>/dev/null || true' EXIT
failed=0
i=0
while [ "$i" -lt 400 ]; do
  xwininfo -root >/dev/null 2>&1 || failed=$((failed + 1))
  i=$((i + 1))
done
[ "$failed" -eq 0 ] || { echo "FAIL: $failed of 400 clients could not connect to $DISPLAY" >&2; exit 1; }
echo "400 of 400 clients connected to $DISPLAY"
