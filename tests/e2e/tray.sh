#!/usr/bin/env bash
# The built pipit.exe on the virtual display: its icon appears in Wine's tray, a right click shows
# the popup menu, a second copy starts beside the first, and E&xit from the menu ends each copy and
# takes its icon away.
# Usage: tray.sh PIPIT_EXE ARTIFACT_FOLDER
set -uo pipefail
exe=$1
ARTIFACTS=$2
source "$(dirname "$0")/e2e-lib.sh"

pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done' EXIT

"$PIPIT_WINE" "$exe" >/dev/null 2>&1 &
pids+=($!)
first=$!
wait_for 20 icons_at_least 20 || fail "the first copy's icon did not appear in the tray"
one_icon=$(icon_pixels)

menu=$(open_tray_menu) || fail "no popup menu after a right click on the icon"
eval "$(xdotool getwindowgeometry --shell "$menu")"
[ "$HEIGHT" -gt 150 ] || fail "the popup menu is too small to hold its items (${WIDTH}x${HEIGHT})"
xdotool mousemove 640 600 click 1  # a click elsewhere closes the menu
wait_for 5 eval '! window_shown "$menu"' || fail "the menu did not close"

"$PIPIT_WINE" "$exe" >/dev/null 2>&1 &
pids+=($!)
second=$!
wait_for 20 icons_at_least $((one_icon * 2 - 4)) || fail "the second copy's icon did not appear"
process_alive "$first" || fail "the first copy ended when the second started"

# E&xit is the last item of the menu. The second copy's icon is the one on the right.
menu=$(open_tray_menu last) || fail "no popup menu for the second copy"
click_menu_from_bottom "$menu" 10
wait_for 10 process_gone "$second" || fail "the second copy did not end on Exit"
process_alive "$first" || fail "the first copy ended with the second"
wait_for 10 icons_at_most $((one_icon + 4)) || fail "the second copy's icon stayed after Exit"

menu=$(open_tray_menu) || fail "no popup menu for the first copy"
click_menu_from_bottom "$menu" 10
wait_for 10 process_gone "$first" || fail "the first copy did not end on Exit"
wait_for 10 icons_at_most 0 || fail "an icon stayed after both copies ended"
echo "tray end-to-end: passed"
