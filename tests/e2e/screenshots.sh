#!/usr/bin/env bash
# The README's pictures can be made from the built program: the screenshot script runs in the test
# session, into the build folder, at 100 % and at 150 % display scaling, and leaves five PNGs, each
# at least the size of what it shows.
# Usage: screenshots.sh PIPIT_EXE PROBE_EXE OUTPUT_FOLDER
set -uo pipefail
export PIPIT_EXE=$1 PIPIT_PROBE=$2
out=$3
root=$(cd "$(dirname "$0")/../.." && pwd)

rm -rf "$out"
bash "$root/scripts/screenshots.sh" "$out" || { echo "FAILED: the screenshot script"; exit 1; }
PIPIT_DPI=144 bash "$root/scripts/screenshots.sh" "$out" || { echo "FAILED: the screenshot script at 150 %"; exit 1; }

# name, smallest width and height: the popup menu with its nine items, the Playlist dialog and the
# About box, each at the dialog size of its template in the default font.
check() {
    local file="$out/$1.png" width height
    [ -s "$file" ] || { echo "FAILED: $file is missing or empty"; exit 1; }
    read -r width height <<< "$(identify -format '%w %h' "$file" 2>/dev/null)"
    [ "${width:-0}" -ge "$2" ] && [ "${height:-0}" -ge "$3" ] ||
        { echo "FAILED: $file is ${width:-?}x${height:-?}, smaller than $2x$3"; exit 1; }
}
check tray-menu 100 150
check playlist-dialog 250 250
check about-box 200 150
# At 150 % everything is half as large again.
check tray-menu-150 150 225
check playlist-dialog-150 375 375
echo "screenshots: passed"
