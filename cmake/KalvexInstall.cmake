# What an installation holds, and the packages CPack makes of it. The version comes from the
# project() call; the man page is generated with it.
#   Linux:   bin/Kalvex, bin/Quorlin, the desktop entry and icon, the man page, the documents,
#            the licence as the package's copyright file.
#   Windows: Kalvex.exe, Quorlin.exe with Qt beside it, the documents and the licences, side by
#            side at the top of the installer's folder and of the archive.
include(GNUInstallDirs)

if(WIN32)
  set(KALVEX_INSTALL_BIN .)
  set(KALVEX_INSTALL_DOC .)
else()
  set(KALVEX_INSTALL_BIN ${CMAKE_INSTALL_BINDIR})
  set(KALVEX_INSTALL_DOC ${CMAKE_INSTALL_DATAROOTDIR}/doc/kalvex)
endif()

install(TARGETS Kalvex RUNTIME DESTINATION ${KALVEX_INSTALL_BIN})
install(FILES README.md CHANGELOG.md DESTINATION ${KALVEX_INSTALL_DOC})
if(WIN32)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
else()
  install(FILES LICENSE DESTINATION ${KALVEX_INSTALL_DOC} RENAME copyright)
endif()

if(TARGET Quorlin)
  install(TARGETS Quorlin RUNTIME DESTINATION ${KALVEX_INSTALL_BIN})
  if(WIN32)
    kalvex_qt_windows_install()
  else()
    install(FILES packaging/quorlin.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
    install(FILES wizard/images/quorlin_icon.xpm DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/pixmaps
            RENAME quorlin.xpm)
  endif()
endif()

if(NOT WIN32)
  # The man page and the package's changelog (Debian's format, naming this release; the changes
  # themselves are in CHANGELOG.md) are installed compressed, as Debian's policy asks.
  configure_file(packaging/Kalvex.1.in ${CMAKE_CURRENT_BINARY_DIR}/Kalvex.1 @ONLY)
  configure_file(packaging/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/Kalvex.1.gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND gzip -9nkf Kalvex.1 changelog
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/Kalvex.1 ${CMAKE_CURRENT_BINARY_DIR}/changelog
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} VERBATIM)
  add_custom_target(kalvex_documents ALL DEPENDS ${compressed})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/Kalvex.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${KALVEX_INSTALL_DOC})
endif()

set(CPACK_PACKAGE_NAME kalvex)
set(CPACK_PACKAGE_VENDOR "Kalvex developers")
set(CPACK_PACKAGE_CONTACT "Kalvex developers <kalvex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "GHS project converter for the Zintra/Zintra++ analyser, with its wizard")
# Lines of at most 80 characters, as the Debian package's description wants them.
set(CPACK_PACKAGE_DESCRIPTION "Kalvex converts a tree of GHS .gpj project files into a Zintra/Zintra++
analyser project. Quorlin is a four-page wizard that gathers the inputs and
runs Kalvex.")
set(CPACK_RESOURCE_FILE_README ${CMAKE_CURRENT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP NSIS)
  set(CPACK_SYSTEM_NAME win64)
  include(cmake/KalvexInstaller.cmake)
else()
  set(CPACK_GENERATOR TGZ)
  # The dependencies are read from the programs' own libraries: the Qt 6 runtime, the C and
  # C++ runtimes. Nothing of the build goes in.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  # Named here, not by CPack's default, so that the package check reads the same name.
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE architecture
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
  if(status EQUAL 0 AND architecture)
    list(PREPEND CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${architecture})
    set(CPACK_DEBIAN_FILE_NAME ${CPACK_PACKAGE_NAME}_${PROJECT_VERSION}_${architecture}.deb)
  else()
    message(STATUS "No Debian package: `dpkg --print-architecture` gave no architecture; TGZ only")
  endif()
endif()

if(NOT WIN32)
  set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_NAME})
endif()
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
# The names of the packages made of this tree, for scripts/check-packages.sh: read by sh.
# (CPack leaves its source package's name in CPACK_PACKAGE_FILE_NAME: read it before.)
if(WIN32)
  set(packageNames "zip=${CPACK_PACKAGE_FILE_NAME}.zip\nsetup=${KALVEX_SETUP_NAME}.exe\n")
else()
  set(packageNames "deb=${CPACK_DEBIAN_FILE_NAME}\n")
  string(APPEND packageNames "tarball=${CPACK_PACKAGE_FILE_NAME}.tar.gz\n")
endif()
file(WRITE ${CMAKE_BINARY_DIR}/packages.env "version=${PROJECT_VERSION}\n${packageNames}")

include(CPack)
