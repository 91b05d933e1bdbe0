# Cross-builds a static Windows x86-64 program with Debian's MinGW-w64 (posix thread model).
# Built programs run under Wine, in a prefix kept inside the build tree.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KALVEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KALVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KALVEX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KALVEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No MinGW runtime DLL next to the program: the C++ runtime and winpthreads are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;${CMAKE_BINARY_DIR}/wine")
endif()
