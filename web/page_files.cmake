# Completes the built page: copies the files beside index.html and writes the service worker,
# whose cache is named after the contents of the files it keeps.
# Usage: cmake -DSOURCE=web -DICONS=packaging/icons -DPAGE=build/web/page -P page_files.cmake
file(COPY ${SOURCE}/page.js ${SOURCE}/manifest.webmanifest DESTINATION ${PAGE})
file(GLOB icons ${ICONS}/car-*.png)
file(COPY ${icons} DESTINATION ${PAGE})

set(contents "")
foreach(name index.html index.js index.wasm page.js manifest.webmanifest)
  file(SHA256 ${PAGE}/${name} hash)
  string(APPEND contents "${hash}")
endforeach()
string(SHA256 PAGE_HASH "${contents}")
string(SUBSTRING ${PAGE_HASH} 0 16 PAGE_HASH)
configure_file(${SOURCE}/sw.js ${PAGE}/sw.js @ONLY)
