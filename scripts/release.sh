#!/bin/sh
# Makes a release: sets up what is missing, builds, checks and writes into build/dist/
# - car_<version>_amd64.deb, checked by lintian;
# - car-<version>-win64.zip and the installer car-<version>-win64.exe, tested under Wine;
# - car-<version>-web.tar.gz, the page's folder for any static HTTPS host, its files checked;
# - SHA256SUMS, for "sha256sum -c SHA256SUMS".
# The same commit gives the same bytes (scripts/reproducible.sh shows it): every tool stamps its
# output with SOURCE_DATE_EPOCH instead of the time of the build.
set -eu
cd "$(dirname "$0")/.."
dist=build/dist

# The time of the last commit; in a source tree without git (an unpacked tarball), the date of
# the newest changelog entry, which a release always updates.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
    SOURCE_DATE_EPOCH=$(date -d "$(sed -n 's/^ -- .*>  //p' packaging/debian/changelog | head -n 1)" +%s)
fi
export SOURCE_DATE_EPOCH
# The packages take the modes of the files their tools write (the .deb's ar members, the zip's
# entries), which follow the umask: a release's files are rw-r--r-- whoever makes it.
umask 022
# A zip keeps its files' times in local time.
export TZ=UTC
echo "== release: files dated $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC')"

scripts/setup.sh release
rm -rf "$dist" && mkdir -p "$dist"

echo "== release: the Debian package"
cmake --preset release >/dev/null
cmake --build build/release -j "$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
(cd build/release && cpack -G DEB -B "$(pwd)/packages" >/dev/null)
cp "build/release/packages/car_${version}_amd64.deb" "$dist/"
lintian --pedantic --display-info --display-experimental --fail-on error,warning \
  "$dist/car_${version}_amd64.deb"

echo "== release: the Windows zip and installer"
scripts/windows.sh packages
cp "build/windows/car/car-$version-win64.zip" "build/windows/car/car-$version-win64.exe" "$dist/"

echo "== release: the web page"
scripts/web.sh tarball "$dist"

(cd "$dist" && sha256sum -- * >SHA256SUMS && ls -l && cat SHA256SUMS)
