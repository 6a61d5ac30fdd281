#!/usr/bin/env bash
# The kept session with the built pipit.exe: given a playlist, moved on to its second entry and ended
# with Exit, Pipit comes back at the next start with the same playlist and the same current entry,
# silent; given another playlist and killed once the change has had its moment to be kept, it comes
# back with that one.
# Usage: session.sh PIPIT_EXE PROBE_EXE ARTIFACT_FOLDER
set -uo pipefail
source "$(dirname "$0")/e2e-lib.sh"
exe=$1 PIPIT_PROBE=$2 ARTIFACTS=$3

e2e_media_folder
for name in a b c; do cp "$(dirname "$exe")/fixtures/long.wav" "$work/media/$name.wav"; done
start_player() {
    start_pipit
    pipit=$started
    PIPIT_PID=$pipit
    wait_for 20 probe exists Pipit || fail "Pipit did not start"
}
hand_over() {
    after_a_pause
    start_pipit "$@"
    wait_for 15 process_gone "$started" || fail "the copy handing paths over did not end"
}
kept_session() { find "$WINEPREFIX/drive_c/users" -path '*/Pipit/session.txt' 2>/dev/null | head -n 1; }

start_player
hand_over "$media\\a.wav" "$media\\b.wav" "$media\\c.wav"
expect_playlist $'a.wav\nb.wav\nc.wav\nselected: 0'
probe hotkey 2 || fail "could not press Next"
expect_playlist $'a.wav\nb.wav\nc.wav\nselected: 1'
post_command 40007
wait_for 10 process_gone "$pipit" || fail "Pipit did not end on Exit"

rm -f "$SOUND_CAPTURE"
start_player
expect_playlist $'a.wav\nb.wav\nc.wav\nselected: 1'
played && fail "the kept session played at the start"

hand_over "$media\\c.wav" "$media\\a.wav"
expect_playlist $'c.wav\na.wav\nselected: 0'
first_kept() { sed -n 4p "$(kept_session)" 2>/dev/null | tr -d '\r'; }
wait_for 15 eval '[[ "$(first_kept)" == *c.wav ]]' || fail "the change was not kept within 15 s: $(first_kept)"
kill -9 "$pipit"
wait_for 10 process_gone "$pipit" || fail "Pipit could not be killed"

start_player
expect_playlist $'c.wav\na.wav\nselected: 0'
post_command 40007
wait_for 10 process_gone "$pipit" || fail "Pipit did not end on Exit"
pipit=""
echo "kept session end-to-end: passed"
