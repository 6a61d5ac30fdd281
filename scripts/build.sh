#!/usr/bin/env bash
# Configures with a preset of CMakePresets.json and builds. PIPIT_ARCH chooses the cross build: x64
# (default), x86 for 32-bit Windows, or clang (64-bit, built with clang; warnings are errors).
# PIPIT_PRESET names any other preset instead. PIPIT_BUILD chooses the build folder (default: the
# preset's). Further arguments go to CMake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
case ${PIPIT_ARCH:-x64} in
    x64) preset=cross-x64 ;;
    x86) preset=cross-x86 ;;
    clang) preset=cross-clang-x64 ;;
    *) echo "PIPIT_ARCH must be x64, x86 or clang" >&2; exit 2 ;;
esac
preset=${PIPIT_PRESET:-$preset}
cd "$root"
if [ -n "${PIPIT_BUILD:-}" ]; then
    cmake --preset "$preset" -B "$PIPIT_BUILD" "$@" >/dev/null
    cmake --build "$PIPIT_BUILD" -j "$(nproc)"
else
    cmake --preset "$preset" "$@" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
fi
