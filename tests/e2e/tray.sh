#!/usr/bin/env bash
# The built pipit.exe on the virtual display: its icon appears in Wine's tray, a right click shows
# the popup menu, a second copy started without paths ends and leaves the one icon, and E&xit from
# the menu ends the player and takes its icon away.
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

# A second copy started without paths finds the first and ends: one player, one icon.
"$PIPIT_WINE" "$exe" >/dev/null 2>&1 &
pids+=($!)
second=$!
wait_for 20 process_gone "$second" || fail "the second copy did not end"
process_alive "$first" || fail "the first copy ended when the second started"
icons_at_most $((one_icon + 4)) || fail "the second copy left an icon in the tray"

menu=$(open_tray_menu) || fail "no popup menu for the first copy"
click_menu_from_bottom "$menu" 10
wait_for 10 process_gone "$first" || fail "the first copy did not end on Exit"
wait_for 10 icons_at_most 0 || fail "the icon stayed after Exit"
echo "tray end-to-end: passed"
