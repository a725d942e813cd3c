# Cross compiling for 64-bit Windows with Debian's mingw-w64 (packages g++-mingw-w64-x86-64-posix,
# gcc-mingw-w64-x86-64-posix, binutils-mingw-w64-x86-64: GCC 12, the posix thread model, so that
# std::thread and std::mutex work). The programs built run here under wine (package wine64): CTest
# starts each test program through CMAKE_CROSSCOMPILING_EMULATOR. Use it through the windows preset
# (CMakePresets.json); scripts/wine-prefix gives the tests a fresh wine prefix.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUADREL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUADREL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUADREL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUADREL_MINGW_TRIPLE}-windres)

# Headers, libraries and CMake packages come from the mingw-w64 tree only, never from the Linux
# system; programs (wine, windres, ...) come from the Linux system.
set(CMAKE_FIND_ROOT_PATH /usr/${QUADREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs (and add_test() commands that name an executable target) run under wine.
find_program(QUADREL_WINE wine PATHS /usr/bin NO_CMAKE_FIND_ROOT_PATH)
if(QUADREL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QUADREL_WINE})
endif()
