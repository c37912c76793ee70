#!/bin/sh
# scripts/lib/xvfb.sh with a stand-in Xvfb on PATH that never reports a display: start_xvfb must
# give up with status 1 and leave no server running. Argument: SOURCE_DIR.
set -eu
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/bin"
# Writes its pid where the test can find it, then waits, as a server slow to start does.
cat >"$scratch/bin/Xvfb" <<'END'
#!/bin/sh
echo $$ >"$XVFB_PID_FILE"
exec sleep 60
END
chmod +x "$scratch/bin/Xvfb"
export XVFB_PID_FILE="$scratch/pid" PATH="$scratch/bin:$PATH"
. "$1/scripts/lib/xvfb.sh"

if start_xvfb 2>/dev/null; then
  echo "FAIL: start_xvfb succeeded without a display" >&2
  exit 1
fi
server=$(cat "$XVFB_PID_FILE")
if kill -0 "$server" 2>/dev/null; then
  kill "$server"
  echo "FAIL: the server start_xvfb gave up on is still running" >&2
  exit 1
fi
