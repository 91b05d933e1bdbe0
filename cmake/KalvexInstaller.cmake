# The Windows installer, made by CPack's NSIS generator with Debian's makensis from
# packaging/NSIS.template.in (a 64-bit installer; see that file). It installs the programs, Qt
# and the documents into Program Files\Kalvex, adds Quorlin to the Start menu, registers its
# uninstaller in the system's list of installed programs, and offers to put the folder on the
# PATH (not done unless chosen).
# One installer of everything the archive holds; the package checks' hook stays out.
set(CPACK_MONOLITHIC_INSTALL ON)
# Values reach the NSIS script as written, backslashes and dollar signs included.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kalvex)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kalvex)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Kalvex ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "Kalvex ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/wizard/images/quorlin.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/wizard/images/quorlin.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME Quorlin.exe)
set(CPACK_NSIS_MODIFY_PATH ON)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Quorlin keeps settings.txt in its current folder, and Program Files is not writable for
# users: started from the Start menu it runs in the user's own folder (%USERPROFILE%), which
# every account has and can write. The shortcut takes its working folder from $OUTDIR.
set(CPACK_NSIS_CREATE_ICONS_EXTRA [[
  StrCpy $OUTDIR "%USERPROFILE%"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Quorlin.lnk" "$INSTDIR\Quorlin.exe"
  StrCpy $OUTDIR "$INSTDIR"
]])
set(CPACK_NSIS_DELETE_ICONS_EXTRA [[
  Delete "$SMPROGRAMS\$MUI_TEMP\Quorlin.lnk"
]])
# The installer's name differs from the archive's: set per generator when CPack runs.
set(KALVEX_SETUP_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}-setup)
configure_file(${PROJECT_SOURCE_DIR}/packaging/cpack-options.cmake.in
               ${CMAKE_BINARY_DIR}/cpack-options.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/cpack-options.cmake)
