# Cross-compiles for 64-bit Windows with Debian's clang, against MinGW-w64's headers and libraries:
# a second compiler's warnings over the same code. Resources still go through MinGW-w64's windres.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PIPIT_TRIPLET x86_64-w64-mingw32)
# Its test executables are built, not run (scripts/test.sh runs the gcc-built ones).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${PIPIT_TRIPLET})
set(CMAKE_CXX_COMPILER_TARGET ${PIPIT_TRIPLET})
set(CMAKE_SYSROOT /usr/${PIPIT_TRIPLET})

# clang does not find the C++ library of MinGW-w64's gcc by itself: its headers and libraries are
# in the posix-threads gcc's own folder. -pthread links winpthread, which that library needs. lld,
# because GNU ld warns at every test program that clang and gcc give some type names' sections
# different sizes.
set(PIPIT_MINGW_GCC /usr/lib/gcc/${PIPIT_TRIPLET}/12-posix)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${PIPIT_MINGW_GCC}/include/c++ -isystem ${PIPIT_MINGW_GCC}/include/c++/${PIPIT_TRIPLET}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${PIPIT_MINGW_GCC} -pthread")
