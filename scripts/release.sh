#!/usr/bin/env bash
# Builds the release of Pipit for 64-bit and 32-bit Windows, static and stripped, without the tests,
# into build-release-x64/ and build-release-x86/ (presets cross-x64-release and cross-x86-release),
# and packages each as a ZIP of pipit.exe, README.md, LICENSE and the README's pictures in docs/,
# which it takes anew first: pipit-VERSION-win64.zip and pipit-VERSION-win32.zip in those folders.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh"

# The README's pictures, taken anew of the program as it is now, at 100 % and at 150 %, into docs/.
bash "$root/scripts/screenshots.sh"
PIPIT_DPI=144 bash "$root/scripts/screenshots.sh"

for arch in x64 x86; do
    build="$root/build-release-$arch"
    # A fresh configure each time, so that no option of an earlier build (the tests) carries over.
    rm -f "$build/CMakeCache.txt"
    PIPIT_PRESET=cross-$arch-release PIPIT_BUILD="$build" bash "$root/scripts/build.sh"
    (cd "$build" && cpack -C Release -G ZIP >/dev/null)
    ls "$build"/pipit-*.zip
done
