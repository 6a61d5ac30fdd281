# What the MinGW-w64 toolchains share; each sets PIPIT_TRIPLET, CMAKE_SYSTEM_PROCESSOR and the Wine
# loader that runs its test executables before it includes this file. The clang toolchain names its
# own compilers after it.
set(CMAKE_SYSTEM_NAME Windows)

# The posix threads model, for std::thread and friends in GoogleTest.
set(CMAKE_C_COMPILER ${PIPIT_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PIPIT_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PIPIT_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PIPIT_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages of the target only: the host's GTest package is built for Linux.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
