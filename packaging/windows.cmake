# Windows: car.exe with the README and the licence beside it, as a zip and as an installer made
# with NSIS that adds a Start-menu entry "Car" and an uninstaller that takes it all away again.
install(TARGETS car RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME car-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_VENDOR "the Car authors")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Car)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Car)
# The Start-menu shortcut: car.exe, named Car, with the program's own icon.
set(CPACK_PACKAGE_EXECUTABLES car Car)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_NSIS_PACKAGE_NAME Car)
set(CPACK_NSIS_DISPLAY_NAME Car)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/src/car.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/src/car.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME car.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# CPack's own NSIS script, with these changes:
# - a Target line first (after the byte-order mark) makes a 64-bit installer: makensis makes a
#   32-bit one otherwise, and a Wine without its 32-bit half cannot run that;
# - per user or for all: an administrator installs for all users into Program Files, as CPack's
#   does; anyone else, instead of being asked for an administrator's password, installs for
#   themselves into their own programs folder (CPack's picks their Documents);
# - the uninstaller also removes the vendor's registry key once it is empty; CPack's removes only
#   the program's key within it.
set(nsis_template ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${nsis_template} byte_order_mark LIMIT 3)
file(READ ${nsis_template} nsis_script OFFSET 3)
function(change_nsis_script from to)
  string(FIND "${nsis_script}" "${from}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${nsis_template} no longer has: ${from}")
  endif()
  string(REPLACE "${from}" "${to}" nsis_script "${nsis_script}")
  set(nsis_script "${nsis_script}" PARENT_SCOPE)
endfunction()
change_nsis_script("RequestExecutionLevel admin" "RequestExecutionLevel highest")
change_nsis_script([[$DOCUMENTS\@CPACK_PACKAGE_INSTALL_DIRECTORY@]]
  [[$LOCALAPPDATA\Programs\@CPACK_PACKAGE_INSTALL_DIRECTORY@]])
set(program_key [[DeleteRegKey /ifempty SHCTX "Software\@CPACK_PACKAGE_VENDOR@\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@"]])
change_nsis_script("${program_key}"
  "${program_key}\n  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\"")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/nsis/NSIS.template.in
  "${byte_order_mark}Target amd64-unicode\n${nsis_script}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_BINARY_DIR}/nsis)
