# Cross-compiles for 32-bit Windows with MinGW-w64 (posix threads model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(PIPIT_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${PIPIT_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PIPIT_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PIPIT_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PIPIT_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs the test executables through Wine's 32-bit loader.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
