#!/usr/bin/env bash
# clang-tidy over the program's sources with the checks of .clang-tidy; fails on any finding.
# Reads the compile commands of the clang build (PIPIT_BUILD/clang, configured here if need be).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PIPIT_BUILD:-$root/build}/clang
cd "$root"
if [ ! -f "$build/compile_commands.json" ]; then
    cmake --preset cross-clang-x64 -B "$build" >/dev/null
fi
# One file a process, one process a processor: most of each run is parsing the platform's headers.
ls common/*.cpp playback/*.cpp app/*.cpp dialogs/*.cpp |
    xargs -P "$(nproc)" -n 1 clang-tidy -p "$build" --quiet 2>/dev/null
echo "clang-tidy: no findings"
