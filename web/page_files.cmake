# Completes the built page: copies the files beside index.html and writes the service worker,
# with the list of files it keeps and a cache name made from their contents.
# Usage: cmake -DSOURCE=web -DICONS=packaging/icons -DPAGE=build/web/page -P page_files.cmake
file(COPY ${SOURCE}/page.js ${SOURCE}/scene_words.js ${SOURCE}/manifest.webmanifest DESTINATION ${PAGE})
file(GLOB icons RELATIVE ${ICONS} ${ICONS}/car-*.png)
list(TRANSFORM icons PREPEND ${ICONS}/ OUTPUT_VARIABLE icon_paths)
file(COPY ${icon_paths} DESTINATION ${PAGE})

set(kept index.html index.js index.wasm page.js scene_words.js manifest.webmanifest ${icons})
set(contents "")
foreach(name ${kept})
  file(SHA256 ${PAGE}/${name} hash)
  string(APPEND contents "${hash}")
endforeach()
string(SHA256 PAGE_HASH "${contents}")
string(SUBSTRING ${PAGE_HASH} 0 16 PAGE_HASH)
list(JOIN kept " " PAGE_FILES)
configure_file(${SOURCE}/sw.js ${PAGE}/sw.js @ONLY)
