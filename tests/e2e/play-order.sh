#!/usr/bin/env bash
# The order of play with entries that cannot play among them, in the built pipit.exe with the next
# entry's device opened ahead: started with a playlist of a playable file, a missing one, one that
# no device plays, and two more playable ones, Pipit plays the first, passes over the two it cannot
# play, plays the last two in turn and, with Loop off, stops with the first current again.
# Usage: play-order.sh PIPIT_EXE PROBE_EXE ARTIFACT_FOLDER
set -uo pipefail
source "$(dirname "$0")/e2e-lib.sh"
exe=$1 PIPIT_PROBE=$2 ARTIFACTS=$3

e2e_media_folder
for name in first second third; do cp "$(dirname "$exe")/fixtures/medium.wav" "$work/media/$name.wav"; done
head -c 4000 /dev/urandom > "$work/media/noise.wav"  # no RIFF header: no device opens it
printf '%s\r\n' first.wav gone.wav noise.wav second.wav third.wav > "$work/media/list.ppl"
start_pipit "$media\\list.ppl"
pipit=$started
PIPIT_PID=$pipit
wait_for 20 probe exists Pipit || fail "Pipit did not start"

# The current entry, read from the Playlist dialog, each time it changes, until the playlist has
# ended and the first entry is current again.
order=""
last=""
deadline=$((SECONDS + 90))
while [ $SECONDS -lt $deadline ]; do
    selected=$(shown_playlist | sed -n 's/^selected: //p')
    if [ -n "$selected" ] && [ "$selected" != "$last" ]; then
        order="$order $selected"
        last=$selected
    fi
    [ "$order" = " 0 3 4 0" ] && break
done
[ "$order" = " 0 3 4 0" ] || fail "the entries played in the order [$order], expected [ 0 3 4 0]"

post_command 40007
wait_for 10 process_gone "$pipit" || fail "Pipit did not end on Exit"
pipit=""
echo "order of play end-to-end: passed"
