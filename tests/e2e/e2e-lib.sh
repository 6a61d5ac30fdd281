# Helpers for the end-to-end tests that drive the real pipit.exe on the virtual display with xdotool.
# Needs DISPLAY, WINEPREFIX and PIPIT_WINE (set by scripts/wine-session.sh) and ARTIFACTS (a folder
# for the screenshots of failures); the probe's helpers below also need PIPIT_PROBE (pipit_probe.exe).

set -o pipefail  # a probe's exit status must come through the filter of its output

AMBER="#F2A93B"  # the disc of Pipit's icon

fail() {
    local shot
    shot="$ARTIFACTS/$(basename "$0" .sh)-failure-$(date +%s%N).png"
    mkdir -p "$ARTIFACTS"
    import -window root "$shot" 2>/dev/null || true
    echo "FAILED: $*  (screenshot: $shot)"
    # What the program under test printed, and whether it still runs, tell a crash from a slow window.
    if [ -n "${PIPIT_PID:-}" ]; then
        if kill -0 "$PIPIT_PID" 2>/dev/null; then
            echo "pipit.exe is still running"
            report_blocked_pipit
        else
            wait "$PIPIT_PID" 2>/dev/null
            echo "pipit.exe has ended with exit code $?"
        fi
    fi
    if [ -n "${PIPIT_LOG:-}" ] && [ -s "$PIPIT_LOG" ]; then
        echo "pipit.exe printed (last lines):"
        tail -n 40 "$PIPIT_LOG"
    fi
    exit 1
}

# Where Pipit's window no longer answers, prints where each of its threads stands.
report_blocked_pipit() {
    [ -n "${PIPIT_PROBE:-}" ] || return 0
    local state pid
    state=$(probe state -)
    echo "$state"
    case $state in *"does not answer"*) ;; *) return 0 ;; esac
    pid=${state##*process id }
    echo "its threads:"
    # "bt all" walks every process of the session; only Pipit's threads are kept.
    timeout 60 "$PIPIT_WINE" winedbg --command "bt all" "$pid" 2>&1 | tr -d '\r' |
        awk '/^Backtracing for thread/ { keep = index(tolower($0), "pipit.exe") > 0 } keep' | head -n 200
}

# Waits up to $1 seconds for the command in the other arguments to succeed.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

tray_window() { xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n 1; }

# Prints "x y" on the screen of the leftmost (or with "last", the rightmost) pixel of the icon's
# colour in the tray, nothing if there is none.
icon_position() {
    local which=${1:-first}
    local tray
    tray=$(tray_window)
    [ -n "$tray" ] || return 0
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" -depth 8 txt:- 2>/dev/null |
        awk -v ox="$X" -v oy="$Y" -v c="$AMBER" -v w="$which" 'index($0, c) { split($1, p, "[,:]");
            if (!n || (w == "first" && p[1] < bx) || (w == "last" && p[1] > bx)) { bx = p[1]; by = p[2]; n = 1 } }
            END { if (n) print ox + bx, oy + by }'
}

# The number of pixels of the icon's colour in the tray: about one icon's worth per running copy.
icon_pixels() {
    local tray
    tray=$(tray_window)
    [ -n "$tray" ] || { echo 0; return; }
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" -depth 8 txt:- 2>/dev/null | grep -c "$AMBER" || true
}

visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort; }

# Right-clicks the leftmost icon (with "last": the rightmost) and prints the id of the popup menu
# that appears.
open_tray_menu() {
    local icon
    icon=$(icon_position "${1:-first}")
    [ -n "$icon" ] || return 1
    NEW_WINDOWS_BEFORE=$(visible_windows)
    # shellcheck disable=SC2086
    xdotool mousemove $icon mousemove_relative -- $([ "${1:-first}" = last ] && echo -3 || echo 3) 4 click 3
    wait_for 5 new_window_shown || return 1
    new_windows | head -n 1
}

new_windows() { comm -13 <(echo "$NEW_WINDOWS_BEFORE") <(visible_windows); }
new_window_shown() { [ -n "$(new_windows)" ]; }
window_shown() { visible_windows | grep -qx "$1"; }
icons_at_least() { [ "$(icon_pixels)" -ge "$1" ]; }
icons_at_most() { [ "$(icon_pixels)" -le "$1" ]; }

# Clicks the item of an open popup menu that lies the given number of pixels above its bottom edge.
click_menu_from_bottom() {
    local menu=$1 above=$2
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove $((X + 24)) $((Y + HEIGHT - above)) click 1
}

process_alive() { kill -0 "$1" 2>/dev/null; }
process_gone() { ! kill -0 "$1" 2>/dev/null; }

# The Windows form of a path on this machine: Wine shows / as drive Z:.
windows_path() { echo "Z:${1//\//\\}"; }

shown_window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
window_named_shown() { [ -n "$(shown_window_named "$1")" ]; }
window_named_gone() { [ -z "$(shown_window_named "$1")" ]; }

# Keys pressed now reach the window with this title: it has the display's keyboard. Keys pressed
# before it has (while it comes up, or where Wine did not make it active) are lost.
window_has_keyboard() { [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "$1" ]; }

# Makes sure that keys pressed now reach the window with this title, as the command CHECK (given
# the title) tells: where they do not, clicks at DX,DY within the window and waits for them to. Wine
# does not always make a window active as it shows, and a click while it comes up can be lost.
keyboard_to() {
    local title=$1 dx=$2 dy=$3 check=$4 _
    wait_for 10 window_named_shown "$title" || fail "no \"$title\" window"
    for _ in 1 2 3; do
        wait_for 3 "$check" "$title" && return 0
        eval "$(xdotool getwindowgeometry --shell "$(shown_window_named "$title")")"
        xdotool mousemove $((X + dx)) $((Y + dy)) click 1
    done
    wait_for 3 "$check" "$title" && return 0
    fail "the \"$title\" window did not take the keyboard"
}

# Clicks into the "File name" box of the common file dialog with this title, types each argument
# followed by Enter, and waits for the dialog to close after the last one.
answer_file_dialog() {
    local title=$1
    shift
    wait_for 10 window_named_shown "$title" || fail "no \"$title\" dialog"
    sleep 0.5  # keys sent while the dialog is still coming up are lost
    eval "$(xdotool getwindowgeometry --shell "$(shown_window_named "$title")")"
    xdotool mousemove $((X + 205)) $((Y + 198)) click 1
    sleep 0.3
    local text
    for text in "$@"; do
        xdotool type --delay 15 "$text"
        xdotool key Return
        sleep 0.5
    done
    wait_for 10 window_named_gone "$title" || fail "the \"$title\" dialog stayed open"
}

# Cancels the common file dialog with this title with the Esc key, after typing the optional text
# into its "File name" box. A key that the dialog missed while coming up is pressed again; the
# Cancel button is the last resort.
cancel_file_dialog() {
    local title=$1 attempt
    wait_for 10 window_named_shown "$title" || fail "no \"$title\" dialog"
    sleep 0.5
    for attempt in 1 2 3; do
        eval "$(xdotool getwindowgeometry --shell "$(shown_window_named "$title")")"
        xdotool mousemove $((X + 205)) $((Y + 198)) click 1
        sleep 0.3
        if [ $attempt = 1 ] && [ -n "${2:-}" ]; then
            xdotool type --delay 15 "$2"
        fi
        xdotool key Escape
        wait_for 3 window_named_gone "$title" && return 0
    done
    xdotool mousemove $((X + 377)) $((Y + 226)) click 1
    wait_for 5 window_named_gone "$title" || fail "the \"$title\" dialog did not cancel"
}

# Runs the probe, which looks into the running Pipit from another process (tests/e2e/Probe.cpp).
probe() { "$PIPIT_WINE" "$PIPIT_PROBE" "$@" 2>/dev/null | tr -d '\r'; }

# Posts a menu command to Pipit's main window through the probe; a command that could not
# be posted ends the test at once instead of showing up later as a window that never opened.
# The probe is a Wine process of its own: one that could not start posted nothing and is run again.
post_command() {
    local _
    for _ in 1 2 3; do
        probe command "$1" >/dev/null && return 0
        sleep 1
    done
    fail "could not post command $1 to Pipit's main window"
}

# Closes the dialog with this title as its Close button would, and waits for it to go. The probe is
# run again where the dialog stays: a probe that could not start closed nothing, and a second
# close of the same dialog does nothing.
close_dialog() {
    local _
    for _ in 1 2 3; do
        probe close "$1" >/dev/null
        wait_for 5 window_named_gone "$1" && return 0
    done
    fail "the \"$1\" window did not close"
}

# Posts the menu command that opens the dialog with this title and waits for the dialog to show.
# Where it has not come up after a while and Windows itself knows no such window either, the
# command is posted once more; a dialog is never opened twice.
open_dialog() {
    local command=$1 title=$2
    post_command "$command"
    wait_for 10 window_named_shown "$title" && return 0
    if ! probe exists "$title" >/dev/null; then
        echo "note: no \"$title\" window 10 s after command $command; posting it again" >&2
        post_command "$command"
    fi
    wait_for 10 window_named_shown "$title" && return 0
    if probe exists "$title" >/dev/null; then
        fail "the \"$title\" window exists but did not show on the display"
    fi
    fail "the \"$title\" window did not open"
}

# The playlist as the Playlist dialog shows it: names, then "selected: N".
shown_playlist() {
    open_dialog 40014 "Pipit Playlist"
    probe list "Pipit Playlist"
    close_dialog "Pipit Playlist"
}

# What Pipit does with a command, a key or a hand-over happens after the sender has gone on: the
# playlist is read again until it shows what is expected, or the time is up.
playlist_shows() {
    LAST_SHOWN=$(shown_playlist)
    [ "$LAST_SHOWN" = "$1" ]
}
expect_playlist() {
    local expected=$1
    wait_for 15 playlist_shows "$expected" || fail "the playlist shows [$LAST_SHOWN], expected [$expected]"
}

# Sends sound to ALSA's null device through its file plugin, which keeps what was played in
# FOLDER/played.raw: start Pipit with HOME=FOLDER/home.
capture_sound() {
    mkdir -p "$1/home"
    cat > "$1/home/.asoundrc" <<ALSA
pcm.!default { type file slave.pcm "null" file "$1/played.raw" format "raw" }
ctl.!default { type hw card 0 }
ALSA
    SOUND_CAPTURE="$1/played.raw"
}
played() { [ -s "$SOUND_CAPTURE" ]; }

# A scratch folder in $work for a test that starts Pipit (its process id in $pipit); both go when
# the test ends, however it ends.
e2e_work_folder() {
    # Each test starts Pipit afresh: no session kept by an earlier one comes back.
    rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Pipit
    work=$(mktemp -d "${TMPDIR:-/tmp}/pipit-e2e.XXXXXX")
    pipit=""
    trap '[ -n "$pipit" ] && kill "$pipit" 2>/dev/null; rm -rf "$work"' EXIT
}

# e2e_work_folder, with what Pipit plays captured in $work/played.raw, a folder $work/media for the
# test's media (named $media as Pipit sees it), and Pipit's output kept in $work/pipit.log. Needs
# exe, the path of pipit.exe.
e2e_media_folder() {
    e2e_work_folder
    capture_sound "$work"
    mkdir -p "$work/media"
    media=$(windows_path "$work/media")
    PIPIT_LOG="$work/pipit.log"
}

# Starts a copy of Pipit with the given arguments; its process id is in $started.
start_pipit() {
    HOME="$work/home" "$PIPIT_WINE" "$exe" "$@" >>"$PIPIT_LOG" 2>&1 &
    started=$!
}

# Waits for a pause to pass: paths handed over after it make a playlist of their own.
after_a_pause() { sleep 1.5; }
