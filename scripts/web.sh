#!/bin/sh
# Builds the viewer as a web page (build/web/page), with the lab of the guide's experiments
# beside it (build/web/page/lab), and serves both on 127.0.0.1, printing the address; stop it
# with Ctrl-C. "scripts/web.sh build" only builds. The port defaults to 8080:
# scripts/web.sh serve 8000 takes another, 0 a free one. "scripts/web.sh serve --lan" serves
# on the machine's network addresses as well, for a phone on the same network, and prints the
# address and a QR code of it. "scripts/web.sh tarball DIR" writes the page's folder as the
# release ships it, DIR/car-<version>-web.tar.gz, its files dated SOURCE_DATE_EPOCH.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh web
cmake --preset web >/dev/null
cmake --build build/web -j "$(nproc)"
(cd build/web/page && wc -c index.html page.js scene_words.js index.js index.wasm sw.js manifest.webmanifest)
echo "The lab: its page, and each program it runs (.js and .wasm):"
(cd build/web/page/lab && wc -c index.html lab.js calls_panel.js experiments.js && for program in *.wasm; do
  echo "$(($(wc -c <"$program") + $(wc -c <"${program%.wasm}.js"))) ${program%.wasm}"
done)

case "${1:-serve}" in
  build) ;;
  serve)
    if [ $# -gt 0 ]; then shift; fi
    lan=""
    if [ "${1:-}" = --lan ]; then lan=--lan; shift; fi
    exec node web/serve.mjs $lan build/web/page "${1:-8080}" ;;
  tarball)
    dist=${2:?usage: $0 tarball DIR}
    : "${SOURCE_DATE_EPOCH:?set SOURCE_DATE_EPOCH, the time its files carry}"
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/web/CMakeCache.txt)
    page=build/web/page
    # Exactly the files the service worker keeps, and the worker: nothing missing, nothing stray.
    # The lab beside it is not kept offline.
    kept=$(sed -n 's/^const files = \["\.\/", \.\.\."\(.*\)"\.split(" ")\];$/\1/p' "$page/sw.js")
    [ -n "$kept" ] || { echo "no list of files in $page/sw.js" >&2; exit 1; }
    # shellcheck disable=SC2086 # the list splits into one name a word
    expected=$(printf '%s\n' $kept sw.js | sort)
    present=$(cd "$page" && find . -type f -not -path './lab/*' | sed 's|^\./||' | sort)
    if [ "$expected" != "$present" ]; then
      printf "%s holds:\n%s\nbut its service worker keeps:\n%s\n" "$page" "$present" "$expected" >&2
      exit 1
    fi
    # Names in order, no owner, the time of the commit, modes from the files' kinds rather than
    # from the umask: nothing of the machine or the moment gets in.
    tar -C build/web --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$SOURCE_DATE_EPOCH" \
      --mode='u=rwX,go=rX' --format=gnu --transform "s|^page|car-$version-web|" -cf - page |
      gzip -9n >"$dist/car-$version-web.tar.gz" ;;
  *) echo "usage: $0 [build | serve [--lan] [PORT] | tarball DIR]" >&2; exit 2 ;;
esac
