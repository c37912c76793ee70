# Linux: the program, its menu entry and its icons, in the places a freedesktop desktop looks for
# them, and the Debian package.
include(GNUInstallDirs)

install(TARGETS car RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES car.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The icons are made from the viewer's own picture by make-icon.sh.
foreach(size 48 128 256)
  install(FILES icons/car-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME car.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT "Car maintainers <maintainers@users.noreply.c-seed-4ad1f6c7.example>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Depends is worked out from the shared libraries car links, as Debian's own packages do it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
