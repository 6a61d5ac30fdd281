#!/usr/bin/env bash
# The built pipit.exe started with paths, as "Open with" and a drag onto the program start it: a
# media file, a folder and a playlist file make the playlist in that order and the first entry
# plays; a second copy started with paths hands them to the first and ends without an icon of its
# own; a hostile command line changes nothing and harms nothing; and the media keys, pressed on the
# virtual display, drive Next, Previous, Stop and Play/Pause.
# Usage: command-line.sh PIPIT_EXE PROBE_EXE ARTIFACT_FOLDER
set -uo pipefail
source "$(dirname "$0")/e2e-lib.sh"
exe=$1 PIPIT_PROBE=$2 ARTIFACTS=$3

e2e_media_folder
mkdir -p "$work/media/album"
for name in one two three album/four; do cp "$(dirname "$exe")/fixtures/long.wav" "$work/media/$name.wav"; done
printf '%s\\two.wav\r\n%s\\three.wav\r\n' "$media" "$media" > "$work/media/list.ppl"

start_pipit "$media\\one.wav" "$media\\album" "$media\\list.ppl"
pipit=$started
PIPIT_PID=$pipit
wait_for 20 icons_at_least 20 || fail "Pipit's icon did not appear"
one_icon=$(icon_pixels)
wait_for 10 played || fail "nothing was played from the command line"
expect_playlist $'one.wav\nfour.wav\ntwo.wav\nthree.wav\nselected: 0'

# Hand-overs within about a second of each other make one playlist; after a pause, a hand-over
# replaces it. The pause is a matter of time passing, so it is waited for.
# A second copy hands its paths over and ends; the first plays them.
after_a_pause
start_pipit "$media\\three.wav" "$media\\two.wav"
wait_for 15 process_gone "$started" || fail "the second copy did not end after handing its paths over"
expect_playlist $'three.wav\ntwo.wav\nselected: 0'
[ "$(icon_pixels)" -le $((one_icon + 4)) ] || fail "the second copy left an icon in the tray"

# Nothing of a hostile command line can be played: the playlist stays, and Pipit still answers.
hostile=("" "Z:\\no such folder\\gone.wav" "$media\\list.ppl.txt" "$media\\$(printf 'x%.0s' {1..300}).wav")
for i in $(seq 1 3000); do hostile+=("missing$i.mp3"); done
printf 'not a playlist' > "$work/media/list.ppl.txt"
start_pipit "${hostile[@]}"
wait_for 30 process_gone "$started" || fail "the copy started with a hostile command line did not end"
probe state - >/dev/null || fail "Pipit no longer answers after a hostile command line"
expect_playlist $'three.wav\ntwo.wav\nselected: 0'

# The media keys reach Pipit while one of its windows has the keyboard: the Playlist dialog, with
# the pointer on it (the virtual display has no window manager, so the keyboard follows the pointer).
after_a_pause
start_pipit "$media\\one.wav" "$media\\two.wav" "$media\\three.wav"
wait_for 15 process_gone "$started" || fail "the third copy did not end"
# Esc closes the dialog after the key: Pipit takes keys in the order pressed, so the key has been
# handled by then.
press_in_playlist() {
    open_dialog 40014 "Pipit Playlist"
    keyboard_to "Pipit Playlist" 60 12 window_has_keyboard  # a click on the caption selects nothing
    xdotool key "$1" Escape
    wait_for 10 window_named_gone "Pipit Playlist" || fail "the Playlist dialog did not close on Esc after $1"
}
press_in_playlist XF86AudioNext
expect_playlist $'one.wav\ntwo.wav\nthree.wav\nselected: 1'
press_in_playlist XF86AudioPrev
press_in_playlist XF86AudioPrev
expect_playlist $'one.wav\ntwo.wav\nthree.wav\nselected: 2'

capture_state() { stat -c '%s %Y' "$SOUND_CAPTURE" 2>/dev/null; }
stands_still() {
    local before
    before=$(capture_state)
    sleep 1.5
    [ "$(capture_state)" = "$before" ]
}
moves() {
    local before
    before=$(capture_state)
    wait_for 5 eval '[ "$(capture_state)" != "$before" ]'
}
# The media keys are Pipit's while it plays: Play/Pause stops it (as a click on the icon does), Play
# from the menu plays again, and the Stop key stops it.
press_in_playlist XF86AudioPlay
stands_still || fail "the Play/Pause key did not stop playing"
post_command 40004
moves || fail "Play did not play"
press_in_playlist XF86AudioStop
stands_still || fail "the Stop key did not stop playing"

# Pause and play on, heard: the sound of an entry paused and played on lasts as long as that of the
# entry played through (sound stands still while paused; played from its beginning again, the
# part before the pause would be heard twice). The null sound device plays faster than real time.
cp "$(dirname "$exe")/fixtures/medium.wav" "$work/media/medium.wav"
captured() { stat -c %s "$SOUND_CAPTURE" 2>/dev/null || echo 0; }
hand_over_medium() {
    after_a_pause
    rm -f "$SOUND_CAPTURE"
    start_pipit "$media\\medium.wav"
    wait_for 15 process_gone "$started" || fail "the copy handing medium.wav over did not end"
    wait_for 10 played || fail "medium.wav was not played"
}
hand_over_medium
wait_for 30 stands_still || fail "medium.wav did not end"
whole=$(captured)
hand_over_medium
wait_for 10 eval '[ "$(captured)" -gt $((whole / 5)) ]' || fail "medium.wav did not go on playing"
probe hotkey 4 || fail "could not press Play/Pause"
stands_still || fail "the sound went on while paused"
paused_at=$(captured)
[ "$paused_at" -lt $((whole * 4 / 5)) ] || fail "paused too late to tell ($paused_at of $whole bytes)"
probe hotkey 4 || fail "could not press Play/Pause again"
moves || fail "the sound did not go on after the pause"
wait_for 30 stands_still || fail "medium.wav did not end after the pause"
heard=$(captured)
[ "$heard" -gt $((whole * 9 / 10)) ] && [ "$heard" -lt $((whole * 11 / 10)) ] ||
    fail "heard $heard bytes with a pause at $paused_at, $whole without: not played on from where it was paused"

post_command 40007
wait_for 10 process_gone "$pipit" || fail "Pipit did not end on Exit"
pipit=""

# Copies started together, as Explorer starts one for each of several files opened at once, one of
# them with a folder of 45,000 media files and one without paths: exactly one becomes the player,
# with one icon, and its playlist holds every path; the player answers while the folder is searched.
many=$(windows_path "$(dirname "$exe")/fixtures/many")
copies=()
for arguments in "$media\\one.wav|$many" "$media\\two.wav" "" "$media\\three.wav"; do
    IFS='|' read -r -a list <<<"$arguments"
    start_pipit "${list[@]}"
    copies+=("$started")
done
pipit=${copies[0]}
alive_copies() {
    local copy count=0
    for copy in "${copies[@]}"; do process_alive "$copy" && count=$((count + 1)); done
    echo $count
}
wait_for 20 icons_at_least 20 || fail "no icon appeared"
probe state - >/dev/null || fail "the player does not answer while it opens what it was handed"
menu=$(open_tray_menu) || fail "no tray menu while the folder is searched"
xdotool key Escape
wait_for 30 eval '[ "$(alive_copies)" = 1 ]' || fail "$(alive_copies) copies still run"
for copy in "${copies[@]}"; do process_alive "$copy" && pipit=$copy; done
PIPIT_PID=$pipit
[ "$(icon_pixels)" -le $((one_icon + 4)) ] || fail "more than one icon"
# Every path is there, and the folder's entries come together right after the file handed over with
# it: the three files lie outside the 45,000 entries that follow one.wav.
all_taken() {
    open_dialog 40014 "Pipit Playlist"
    shown=$(probe find "Pipit Playlist" one.wav two.wav three.wav)
    close_dialog "Pipit Playlist"
    grep -qx "count: 45003" <<<"$shown"
}
wait_for 60 all_taken || fail "the playlist does not hold every path: $shown"
awk -F': ' '{ at[$1] = $2 } END { one = at["one.wav"]; two = at["two.wav"]; three = at["three.wav"]
    exit !(one >= 0 && two >= 0 && three >= 0 && (two < one || two > one + 45000) && (three < one || three > one + 45000)) }' \
    <<<"$shown" || fail "the folder's entries do not follow one.wav together: $shown"

post_command 40007
wait_for 10 process_gone "$pipit" || fail "Pipit did not end on Exit"
wait "$pipit" || fail "Pipit ended on Exit with exit code $?"
pipit=""

# Exit while a folder of 45,000 media files is still being searched ends the player at once, every
# time: the search stops at its next file.
for _ in 1 2 3; do
    start_pipit "$many"
    pipit=$started
    PIPIT_PID=$pipit
    wait_for 20 probe exists Pipit || fail "Pipit did not start with a big folder"
    post_command 40007
    wait_for 10 process_gone "$pipit" || fail "Pipit did not end on Exit while it searched a big folder"
    pipit=""
done

# A copy that cannot make its window (here, with no display) and finds no player to hand its paths
# to ends at once and says that it failed.
env -u DISPLAY HOME="$work/home" timeout 60 "$PIPIT_WINE" "$exe" "$media\\one.wav" >>"$PIPIT_LOG" 2>&1
code=$?
[ $code = 1 ] || fail "a copy without a display ended with exit code $code, not as a failure"
echo "command line and media keys end-to-end: passed"
