#!/usr/bin/env bash
# Configures and builds the Windows program and its tests into PIPIT_BUILD (default: build/).
# PIPIT_ARCH chooses the target: x64 (default) or x86 for 32-bit Windows. Further arguments go to
# CMake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PIPIT_BUILD:-$root/build}
case ${PIPIT_ARCH:-x64} in
    x64) toolchain=mingw-w64-x86_64 ;;
    x86) toolchain=mingw-w64-i686 ;;
    *) echo "PIPIT_ARCH must be x64 or x86" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
