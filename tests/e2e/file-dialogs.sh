#!/usr/bin/env bash
# The built pipit.exe with the real common file dialogs, typed into with xdotool: Select Media
# Files (middle button) builds the playlist in the order chosen, Save Playlist writes a ".ppl" file
# of CR LF lines under a name typed without extension, Load Playlist replaces the playlist and
# plays its first entry, and Cancel in each changes nothing. The playlist is read back from the
# Playlist dialog by a probe in another process; what was played, from ALSA's capture file.
# Usage: file-dialogs.sh PIPIT_EXE PROBE_EXE ARTIFACT_FOLDER
set -uo pipefail
source "$(dirname "$0")/e2e-lib.sh"
exe=$1 PIPIT_PROBE=$2 ARTIFACTS=$3

e2e_work_folder

mkdir -p "$work/media"
capture_sound "$work"
fixture="$(dirname "$exe")/fixtures/short.wav"
for name in a b c; do cp "$fixture" "$work/media/$name.wav"; done
media=$(windows_path "$work/media")

PIPIT_LOG="$work/pipit.log"
HOME="$work/home" "$PIPIT_WINE" "$exe" >"$PIPIT_LOG" 2>&1 &
pipit=$!
PIPIT_PID=$pipit
wait_for 20 icons_at_least 20 || fail "Pipit's icon did not appear"

# Select Media Files from the middle button, several files chosen together.
icon=$(icon_position)
# shellcheck disable=SC2086
xdotool mousemove $icon mousemove_relative 3 4 click 2
answer_file_dialog "Open" "$media" '"c.wav" "a.wav"'
expect_playlist $'c.wav\na.wav\nselected: 0'
wait_for 10 played || fail "nothing was played after the media files were chosen"


xdotool mousemove $icon mousemove_relative 3 4 click 2
cancel_file_dialog "Open" "b.wav"
expect_playlist $'c.wav\na.wav\nselected: 0'

# Save Playlist under a name typed without extension.
post_command 40013
answer_file_dialog "Save As" "$media\\saved"
wait_for 5 test -f "$work/media/saved.ppl" || fail "no saved.ppl was written"
expected=$(printf '%s\\c.wav\r\n%s\\a.wav\r\n' "$media" "$media")
[ "$(cat "$work/media/saved.ppl")" = "$expected" ] || fail "saved.ppl holds: $(od -c "$work/media/saved.ppl" | head)"

post_command 40013
cancel_file_dialog "Save As" "$media\\cancelled"
[ ! -e "$work/media/cancelled.ppl" ] || fail "Cancel in the save dialog wrote a file"

# Load Playlist replaces the playlist and plays its first entry.
printf '%s\\b.wav\r\n%s\\a.wav\r\n' "$media" "$media" > "$work/media/list.ppl"
rm -f "$work/played.raw"
post_command 40012
answer_file_dialog "Open" "$media\\list.ppl"
wait_for 10 played || fail "nothing was played after the playlist was loaded"
expect_playlist $'b.wav\na.wav\nselected: 0'

post_command 40012
cancel_file_dialog "Open" "$media\\saved.ppl"
expect_playlist $'b.wav\na.wav\nselected: 0'

post_command 40007
wait_for 10 process_gone "$pipit" || fail "Pipit did not end on Exit"
pipit=""
echo "file dialogs end-to-end: passed"
