# Qt for the Windows build of the wizard: the shared Qt that scripts/qt-windows.sh builds once per
# machine outside the clone, found through the toolchain's root paths, with the host's moc, rcc
# and uic of the same version. KALVEX_QT_WINDOWS_PREFIX names another such Qt.
#
# The files Quorlin.exe needs beside it are laid out as Qt's deployment tool lays them: the Qt
# libraries and the compiler's runtime libraries next to the program, the plugins in folders of
# their kind, the licence texts in licenses/. kalvex_qt_windows_deploy() copies them into the
# programs' folder of the build tree; the install rules copy them into the packages.
set(KALVEX_QT_WINDOWS_PREFIX "" CACHE PATH "Qt for Windows (empty: the one scripts/qt-windows.sh builds)")
set(qtPrefix "${KALVEX_QT_WINDOWS_PREFIX}")
if(NOT qtPrefix)
  execute_process(COMMAND sh "${PROJECT_SOURCE_DIR}/scripts/qt-windows.sh" --prefix
                  OUTPUT_VARIABLE qtPrefix OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "Cannot name the folder of Qt for Windows (scripts/qt-windows.sh --prefix)")
  endif()
endif()
if(NOT EXISTS "${qtPrefix}/.kalvex-complete")
  message(FATAL_ERROR "Qt for Windows is not built in ${qtPrefix}: run `sh scripts/qt-windows.sh` "
                      "(once per machine, half an hour or more), or configure with -DKALVEX_BUILD_WIZARD=OFF")
endif()
set(KALVEX_QT_WINDOWS "${qtPrefix}")
list(APPEND CMAKE_FIND_ROOT_PATH "${qtPrefix}")
set(QT_HOST_PATH /usr CACHE PATH "The host's Qt, whose tools the Windows build runs")
# The host's multiarch folder names the host Qt's CMake packages; the cross compiler's own
# library architecture is the target's, so it is asked of dpkg, as scripts/qt-windows.sh does.
execute_process(COMMAND dpkg-architecture -qDEB_HOST_MULTIARCH OUTPUT_VARIABLE hostMultiarch
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
if(NOT status EQUAL 0 OR NOT hostMultiarch)
  message(FATAL_ERROR "Cannot name the host's multiarch folder (dpkg-architecture, in dpkg-dev)")
endif()
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${hostMultiarch}/cmake CACHE PATH "The host Qt's CMake packages")

# The runtime libraries of the compiler that Qt's libraries were linked against.
set(KALVEX_MINGW_RUNTIME)
foreach(library libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${library}
                  OUTPUT_VARIABLE file OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${file}" OR NOT EXISTS "${file}")
    message(FATAL_ERROR "The compiler's runtime library ${library} is not found")
  endif()
  list(APPEND KALVEX_MINGW_RUNTIME "${file}")
endforeach()

# Folder (relative to the programs) and files of each part of the layout.
set(KALVEX_QT_WINDOWS_LAYOUT
  ". bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll"
  "platforms plugins/platforms/qwindows.dll"
  "styles plugins/styles/qwindowsvistastyle.dll"
  "imageformats plugins/imageformats/qgif.dll plugins/imageformats/qico.dll")

# kalvex_qt_windows_deploy(target folder): copies the layout and the runtime into folder
# (the programs' folder of the build tree) whenever target is built.
function(kalvex_qt_windows_deploy target folder)
  foreach(part ${KALVEX_QT_WINDOWS_LAYOUT})
    separate_arguments(part)
    list(POP_FRONT part subfolder)
    list(TRANSFORM part PREPEND "${KALVEX_QT_WINDOWS}/")
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory "${folder}/${subfolder}"
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${part} "${folder}/${subfolder}"
      VERBATIM)
  endforeach()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${KALVEX_MINGW_RUNTIME} "${folder}"
    VERBATIM)
endfunction()

# kalvex_qt_windows_install(): the same layout in an installation, with Qt's licence texts
# and the compiler runtime's copyright beside them.
function(kalvex_qt_windows_install)
  foreach(part ${KALVEX_QT_WINDOWS_LAYOUT})
    separate_arguments(part)
    list(POP_FRONT part subfolder)
    list(TRANSFORM part PREPEND "${KALVEX_QT_WINDOWS}/")
    install(FILES ${part} DESTINATION ${subfolder})
  endforeach()
  install(FILES ${KALVEX_MINGW_RUNTIME} DESTINATION .)
  install(DIRECTORY "${KALVEX_QT_WINDOWS}/licenses/" DESTINATION licenses/Qt)
  install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licenses/MinGW-w64
          RENAME gcc-runtime.txt)
  install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licenses/MinGW-w64
          RENAME mingw-w64-runtime.txt)
endfunction()

# The programs of a folder that use Qt share the compiler's runtime libraries with Qt's, rather
# than link a second copy in as the toolchain makes every other program do.
macro(kalvex_qt_windows_shared_runtime)
  string(REPLACE "-static" "" CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS}")
endmacro()
