#!/usr/bin/env bash
# Takes the README's pictures of the real pipit.exe under Wine on a virtual display, each cropped to
# what it shows: tray-menu.png (the icon's popup menu open), playlist-dialog.png (the Playlist dialog
# on a playlist of a few generated WAVs, given on the command line) and about-box.png.
# With PIPIT_DPI=144 the display is scaled to 150 % for Pipit and the pictures are named tray-menu-150.png
# and playlist-dialog-150.png (the About box is left out).
# Usage: screenshots.sh [OUTPUT_FOLDER]   (default: docs/)
# Run by hand, it installs what is missing, builds, and starts and ends its own Wine session. Given
# PIPIT_EXE and PIPIT_PROBE (the program and the tests' probe), it uses the Wine session it runs in.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs}")

own_session=0
if [ -z "${PIPIT_EXE:-}" ]; then
    export PIPIT_BUILD=${PIPIT_BUILD:-$root/build}
    bash "$root/scripts/setup.sh" || exit 1
    bash "$root/scripts/build.sh" >/dev/null || exit 1
    PIPIT_EXE="$PIPIT_BUILD/pipit.exe"
    PIPIT_PROBE="$PIPIT_BUILD/tests/pipit_probe.exe"
    source "$root/scripts/wine-session.sh"
    own_session=1
fi
ARTIFACTS=${ARTIFACTS:-$(dirname "$PIPIT_EXE")/test-artifacts}
source "$root/tests/e2e/e2e-lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/pipit-shots.XXXXXX")
pipit=""
dpi=${PIPIT_DPI:-96}
suffix=""
[ "$dpi" = 96 ] || suffix="-$((dpi * 100 / 96))"
desktop='HKCU\Control Panel\Desktop'
cleanup() {
    [ -n "$pipit" ] && kill "$pipit" 2>/dev/null
    rm -rf "$work"
    [ "$dpi" = 96 ] || "$PIPIT_WINE" reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1
    if [ $own_session = 1 ]; then wine_session_end; fi
}
trap cleanup EXIT
trap "exit 130" INT TERM
if [ $own_session = 1 ]; then wine_session_begin own-display null-sound; fi

# Saves the part of the screen at WIDTHxHEIGHT+X+Y as a PNG, without a time stamp, so that pictures
# of the same screen come out byte for byte the same.
shoot() {
    local name=$1 geometry=$2
    mkdir -p "$out"
    import -window root -crop "$geometry" +repage -strip "$out/$name.tmp.png" &&
        mv "$out/$name.tmp.png" "$out/$name.png" || fail "could not save $out/$name.png"
}

# The part of the screen at WIDTHxHEIGHT+X+Y has been drawn when two looks at it in a row agree.
settled() {
    local now
    now=$(import -window root -crop "$1" +repage -depth 8 rgb:- 2>/dev/null | md5sum)
    [ "$now" = "${LAST_LOOK:-}" ] && return 0
    LAST_LOOK=$now
    return 1
}

# Saves a part of the screen once it has been drawn.
shoot_settled() {
    LAST_LOOK=""
    wait_for 10 settled "$2" || fail "the screen at $2 did not settle for $1.png"
    shoot "$1" "$2"
}

# Saves a whole window, frame and caption included.
shoot_window() {
    local name=$1 window=$2
    eval "$(xdotool getwindowgeometry --shell "$window")"
    shoot_settled "$name" "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

# A desktop colour behind the menu instead of the bare black of the virtual screen. ImageMagick's
# display sets the root window's background and then reports failure for want of a window of its own.
display -window root -size 64x64 "xc:#3A6EA5" 2>/dev/null || true

# A playlist of a few short WAVs with readable names, copies of the tests' short WAV where the
# build has made it.
fixtures="$(dirname "$PIPIT_EXE")/fixtures"
if [ ! -s "$fixtures/short.wav" ]; then
    fixtures="$work/fixtures"
    bash "$root/scripts/make-fixtures.sh" "$fixtures" >/dev/null || fail "could not make the WAVs"
fi
mkdir -p "$work/media"
media=$(windows_path "$work/media")
for name in "Dawn Chorus" "Skylark over the Downs" "Meadow Pipit" "Evening Song"; do
    cp "$fixtures/short.wav" "$work/media/$name.wav"
    printf '%s\\%s.wav\r\n' "$media" "$name"
done > "$work/media/birdsong.ppl"

# Pipit reads the scaling when it starts.
[ "$dpi" = 96 ] || "$PIPIT_WINE" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1

# Started with the playlist file, as "Open with" starts it; its entries play at once.
PIPIT_LOG="$work/pipit.log"
"$PIPIT_WINE" "$PIPIT_EXE" "$media\\birdsong.ppl" >"$PIPIT_LOG" 2>&1 &
pipit=$!
PIPIT_PID=$pipit
wait_for 20 icons_at_least 20 || fail "Pipit's icon did not appear"

# The popup menu below the icon, with the strip of the tray that holds the icon.
menu=$(open_tray_menu) || fail "no popup menu after a right click on the icon"
read -r _ icon_y <<< "$(icon_position)"
eval "$(xdotool getwindowgeometry --shell "$menu")"
top=$((icon_y - 8))
shoot_settled "tray-menu$suffix" "$((X + WIDTH + 12))x$((Y + HEIGHT + 12 - top))+0+$top"
xdotool mousemove 640 600 click 1  # a click elsewhere closes the menu
wait_for 5 eval '! window_shown "$menu"' || fail "the menu did not close"

# Playlist, View... (the probe posts the menu commands to Pipit's main window).
open_dialog 40014 "Pipit Playlist"
shown=$(probe list "Pipit Playlist" | grep -c '\.wav$')
[ "$shown" = 4 ] || fail "the Playlist dialog shows $shown entries instead of the 4 loaded"
shoot_window "playlist-dialog$suffix" "$(shown_window_named "Pipit Playlist")"
close_dialog "Pipit Playlist"

if [ "$dpi" = 96 ]; then
    open_dialog 40002 "About Pipit"
    shoot_window about-box "$(shown_window_named "About Pipit")"
    close_dialog "About Pipit"
fi

post_command 40007
wait_for 10 process_gone "$pipit" || fail "Pipit did not end on Exit"
pipit=""
echo "screenshots: $out/tray-menu$suffix.png $out/playlist-dialog$suffix.png$([ "$dpi" = 96 ] && echo " $out/about-box.png")"
