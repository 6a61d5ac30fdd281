#!/usr/bin/env bash
# Configures and builds the 64-bit Windows program and its tests into PIPIT_BUILD (default: build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PIPIT_BUILD:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
