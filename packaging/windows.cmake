# Windows: car.exe with a README for Windows users and the licence beside it, as a zip and as an
# installer made with NSIS that adds a Start-menu entry "Car" and an uninstaller that takes it all
# away again. The README has Windows line endings, for any text editor there.
install(TARGETS car RUNTIME DESTINATION .)
configure_file(windows/README.txt.in README.txt @ONLY NEWLINE_STYLE WIN32)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
# With an extension Windows opens it in a text editor; without one, in nothing.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

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
#   the program's key within it;
# - an older copy is looked for per user as well as for all users (CPack's looks only at the
#   latter), and removed with its folder; a user who is not an administrator and finds a copy for
#   all users is told that only an administrator can replace it, instead of being given an
#   uninstaller that cannot remove it;
# - the uninstaller of a copy for one user removes that user's registry keys and shortcuts even
#   when an administrator runs it (CPack's would look among those for all users).
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
# The key "Apps and features" lists the program under; ${uninstall_key} in the script.
set(uninstall_key [[Software\Microsoft\Windows\CurrentVersion\Uninstall\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@]])
change_nsis_script("
  ReadRegStr $0 HKLM \"${uninstall_key}\" \"UninstallString\"
  StrCmp $0 \"\" inst
" [[
  ReadRegStr $0 HKCU "${uninstall_key}" "UninstallString"
  StrCmp $0 "" 0 older_copy
  ReadRegStr $0 HKLM "${uninstall_key}" "UninstallString"
  StrCmp $0 "" inst
  UserInfo::GetAccountType
  Pop $1
  StrCmp $1 "Admin" older_copy
  StrCmp $1 "Power" older_copy
  MessageBox MB_OK|MB_ICONSTOP "@CPACK_NSIS_PACKAGE_NAME@ is already installed for all users of this computer, and only an administrator can replace it. Ask an administrator to install this version, or to uninstall @CPACK_NSIS_PACKAGE_NAME@ first." /SD IDOK
  Abort
older_copy:
]])
# Run in place, the old uninstaller cannot delete itself, and its folder would stay behind.
change_nsis_script([[
  IfErrors uninst_failed inst
]] [[
  IfErrors uninst_failed
  Delete "$0"
  RMDir "$3"
  Goto inst
]])
change_nsis_script([[
Function un.onInit
]] [[
Function un.onInit
  ReadRegStr $0 HKCU "${uninstall_key}" "UninstallString"
  StrCmp $0 "$\"$INSTDIR\@CPACK_NSIS_UNINSTALL_NAME@.exe$\"" done
]])
# SetDateSave off: the installer keeps no file's modification time (the staging folder's, the
# time of the build), so the same sources give the same installer.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/nsis/NSIS.template.in
  "${byte_order_mark}Target amd64-unicode\nSetDateSave off\n!define uninstall_key \"${uninstall_key}\"\n${nsis_script}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_BINARY_DIR}/nsis)
