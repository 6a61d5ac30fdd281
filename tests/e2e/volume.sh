#!/usr/bin/env bash
# What is heard at each step of Pipit's volume, and where a restart goes on: a WAV tone and an MP3
# tone captured at 100 % down to 10 % in the Volume submenu, and at 0 %, each level within 1 dB of
# the amplitude the step names (50 % is half the amplitude, 6 dB less); then a tone whose pitch
# changes half-way, paused after its change, heard to go on in its second half after Exit and a
# new start.
# Usage: volume.sh PIPIT_EXE PROBE_EXE ARTIFACT_FOLDER
set -uo pipefail
source "$(dirname "$0")/e2e-lib.sh"
exe=$1 PIPIT_PROBE=$2 ARTIFACTS=$3

e2e_work_folder
fixtures=$(dirname "$exe")/fixtures
mkdir -p "$work/home" "$work/media"
media=$(windows_path "$work/media")
PIPIT_LOG="$work/pipit.log"
# What Wine plays, in a WAV file of its own for each stream: the plugin writes its header.
cat > "$work/home/.asoundrc" <<ALSA
pcm.!default { type file slave.pcm "null" file "$work/played.wav" format "wav" }
ctl.!default { type hw card 0 }
ALSA
captured=$(windows_path "$work/played.wav")
for name in tone.wav tone.mp3 two-pitches.wav; do cp "$fixtures/$name" "$work/media/"; done

start_pipit
pipit=$started
PIPIT_PID=$pipit
wait_for 20 probe exists Pipit || fail "Pipit did not start"
post_command 40020  # 100 %, whatever an earlier run left

level() { probe level "$captured"; }
heard_enough() { awk -v s="$(probe seconds "$captured")" 'BEGIN { exit !(s >= 1.5) }'; }

# Plays the current entry afresh and prints the level heard of its first 1.5 s. Stopped first, the
# player closes the devices it holds, and its next play's sound goes to a new capture.
heard() {
    rm -f "$work/played.wav"
    post_command 40005  # Stop
    post_command 40004  # Play
    wait_for 15 heard_enough || fail "nothing heard of the tone"
    level
}

for kind in wav mp3; do
    after_a_pause
    start_pipit "$media\\tone.$kind"
    wait_for 15 process_gone "$started" || fail "the copy handing tone.$kind over did not end"
    full=$(heard)
    [ "$full" != silent ] || fail "tone.$kind was silent at 100 %"
    for percent in 90 80 70 60 50 40 30 20 10; do
        post_command $((40020 + (100 - percent) / 10))
        got=$(heard)
        awk -v got="$got" -v full="$full" -v p="$percent" 'BEGIN {
            want = 20 * log(p / 100) / log(10); d = got - full - want
            exit !(got != "silent" && d <= 1 && d >= -1) }' ||
            fail "tone.$kind at $percent %: heard $got dB, $full dB at 100 %"
    done
    probe hotkey 9 >/dev/null  # Alt + keypad -: from 10 % to 0 %
    rm -f "$work/played.wav"
    post_command 40005
    post_command 40004
    wait_for 15 heard_enough || fail "tone.$kind did not play on at 0 %"
    [ "$(level)" = silent ] || fail "tone.$kind was heard at 0 %"
    post_command 40020
done
post_command 40005  # Stop

# The position in a long entry, kept at Pause and brought back after a restart: the low half of the
# tone has been heard, the restart goes on in the high half.
rm -f "$work/played.wav"
after_a_pause
start_pipit "$media\\two-pitches.wav"
wait_for 15 process_gone "$started" || fail "the copy handing two-pitches.wav over did not end"
# Paused past the change at 10 s: the null device plays faster than real time, so the sound played
# is counted, not the time.
wait_for 10 eval '[ -s "$work/played.wav" ]' || fail "two-pitches.wav was not played"
low=$(probe pitch "$captured")
past_the_change() { awk -v s="$(probe seconds "$captured")" 'BEGIN { exit !(s > 12) }'; }
wait_for 30 past_the_change || fail "two-pitches.wav did not play on"
probe hotkey 4 >/dev/null  # Play/Pause
post_command 40007
wait_for 10 process_gone "$pipit" || fail "Pipit did not end on Exit"
rm -f "$work/played.wav"
start_pipit
pipit=$started
PIPIT_PID=$pipit
wait_for 20 probe exists Pipit || fail "Pipit did not start again"
post_command 40004  # Play
wait_for 10 eval '[ -s "$work/played.wav" ]' || fail "the kept entry was not played"
sleep 0.5
resumed=$(probe pitch "$captured")
[ "$low" != silent ] && [ "$resumed" != silent ] && [ "$resumed" -lt $((low / 2)) ] ||
    fail "the restart did not go on in the high half: half-periods of $resumed samples, $low at the start"
post_command 40007
wait_for 10 process_gone "$pipit" || fail "Pipit did not end on Exit"
pipit=""
echo "volume and kept position end-to-end: passed"
