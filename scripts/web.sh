#!/bin/sh
# Builds the viewer as a web page (build/web/page) and serves it on 127.0.0.1, printing the
# address; stop it with Ctrl-C. "scripts/web.sh build" only builds. The port defaults to 8080:
# scripts/web.sh serve 8000 takes another, 0 a free one. "scripts/web.sh serve --lan" serves
# on the machine's network addresses as well, for a phone on the same network, and prints the
# address and a QR code of it.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh web
cmake --preset web >/dev/null
cmake --build build/web -j "$(nproc)"
(cd build/web/page && wc -c index.html page.js scene_words.js index.js index.wasm sw.js manifest.webmanifest)

case "${1:-serve}" in
  build) ;;
  serve)
    if [ $# -gt 0 ]; then shift; fi
    lan=""
    if [ "${1:-}" = --lan ]; then lan=--lan; shift; fi
    exec node web/serve.mjs $lan build/web/page "${1:-8080}" ;;
  *) echo "usage: $0 [build | serve [--lan] [PORT]]" >&2; exit 2 ;;
esac
