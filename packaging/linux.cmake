# Linux: the program, its menu entry, icons, manual page and AppStream metadata, in the places a
# freedesktop desktop looks for them, and the Debian package, laid out as Debian lays out a game.
include(GNUInstallDirs)

# Debian puts games in /usr/games, which is on its default PATH (/usr/local/games too); a prefix
# whose games/ is not on the PATH can take bin/ instead.
set(CAR_INSTALL_BINDIR games CACHE STRING "Where the program goes, relative to the prefix")
set(CPACK_PACKAGE_CONTACT "Car maintainers <maintainers@users.noreply.c-seed-4ad1f6c7.example>")
set(app_id example.c_seed_4ad1f6c7.car)

# The changelog carries the version history: its newest entry must be the version being built,
# and the manual page and AppStream release take their date from it.
file(READ debian/changelog changelog)
if(NOT changelog MATCHES "^car \\(([^)]+)\\)")
  message(FATAL_ERROR "packaging/debian/changelog does not start with a \"car (VERSION)\" line")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/debian/changelog's newest entry is ${CMAKE_MATCH_1}, but the "
    "project is ${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION} at its top")
endif()
if(NOT changelog MATCHES "\n -- [^\n]+>  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
  message(FATAL_ERROR "packaging/debian/changelog's newest entry has no dated sign-off line")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_2}" month)
if(month EQUAL -1)
  message(FATAL_ERROR "packaging/debian/changelog: no month named ${CMAKE_MATCH_2}")
endif()
math(EXPR month "${month} + 1")
string(REGEX REPLACE "^([0-9])$" "0\\1" month "${month}")
string(REGEX REPLACE "^([0-9])$" "0\\1" day "${day}")
set(release_date "${year}-${month}-${day}")

# The copyright file holds LICENSE itself, in Debian's machine-readable form: each line indented
# by one space, blank lines as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" licence_holders "${licence}")
set(licence_holders "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]+\n" "" licence_text "${licence}")
string(STRIP "${licence_text}" licence_text)
string(REPLACE "\n\n" "\n.\n" licence_text "${licence_text}")
string(REPLACE "\n" "\n " licence_text " ${licence_text}")

configure_file(debian/copyright.in copyright @ONLY)
configure_file(debian/changelog changelog COPYONLY)
configure_file(car.6 car.6 @ONLY)
configure_file(${app_id}.metainfo.xml.in ${app_id}.metainfo.xml @ONLY)
# Compressed as Debian wants them: best compression, and no file name or time stamp inside, so
# the same source gives the same bytes.
foreach(file changelog car.6)
  add_custom_command(OUTPUT ${file}.gz
    COMMAND gzip -9nkf ${file}
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${file}
    VERBATIM)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS changelog.gz car.6.gz)

# All symbols bound at start-up, so the relocations can be made read-only (lintian's
# hardening-no-bindnow).
target_link_options(car PRIVATE LINKER:-z,now)
install(TARGETS car RUNTIME DESTINATION ${CAR_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/car.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${app_id}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icons are made from the viewer's own picture by make-icon.sh.
foreach(size 48 128 256)
  install(FILES icons/car-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME car.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "toy car to drive and turn around in 3-D")
# Lines of the extended description stay under 80 characters for Debian's tools.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "A toy car on four wheels, drawn in flat colours in an otherwise empty scene,"
  "in a window of its own. The up and down arrow keys drive it forward and back,"
  "the left and right arrow keys steer it, and dragging with the mouse turns the"
  "whole scene to see the car from every side.")
# Depends is worked out from the shared libraries car links, as Debian's own packages do it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
