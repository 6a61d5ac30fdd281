# Sourced by the run and test scripts: a private Wine prefix, sound to a null ALSA device and a
# virtual display, all inside the build folder and all ended again by wine_session_end.
# Needs PIPIT_BUILD (the build folder).

export WINEPREFIX="$PIPIT_BUILD/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No prompts for the .NET and HTML runtimes, which the player does not use.
export WINEDLLOVERRIDES="mscoree,mshtml="
export PIPIT_WINE=/usr/lib/wine/wine64

PIPIT_XVFB_PID=""

# ALSA reads ~/.asoundrc; the session's own home keeps the user's sound settings out of it.
wine_session_sound() {
    local home="$PIPIT_BUILD/home"
    mkdir -p "$home"
    cat > "$home/.asoundrc" <<'ALSA'
pcm.!default { type null }
ctl.!default { type hw card 0 }
ALSA
    export HOME="$home"
    export XDG_RUNTIME_DIR="$home/runtime"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}

# Starts Xvfb on the first free display number and exports DISPLAY. Without -noreset the display
# starts afresh whenever its last program leaves, and a program that starts in that moment (one test
# after another that ended Wine's desktop) finds no display and cannot make a window.
wine_session_display() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    PIPIT_XVFB_PID=$!
    local tries=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $tries -lt 100 ]; do sleep 0.05; tries=$((tries + 1)); done
    export DISPLAY=":$n"
}

# Creates the prefix once; every later run reuses it. Keeps one wineserver alive for the session.
wine_session_prefix() {
    if [ ! -f "$WINEPREFIX/.pipit-ready" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        "$PIPIT_WINE" wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        # No window manager under Xvfb: unmanaged windows hide at once instead of waiting 2 s.
        "$PIPIT_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        # A crash ends the process instead of waiting on the crash dialog.
        "$PIPIT_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.pipit-ready"
    fi
    wineserver -p
    # Start Wine's own services now, away from the test runner's output pipes: a service that a
    # test program starts keeps that program's output open, and the runner would wait on it.
    "$PIPIT_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# Options: own-display starts a virtual display even where there is one; null-sound sends sound to
# ALSA's null device. Without a display, both happen.
wine_session_begin() {
    local own_display=0 null_sound=0 option
    for option in "$@"; do
        case $option in
            own-display) own_display=1 ;;
            null-sound) null_sound=1 ;;
        esac
    done
    if [ $own_display = 1 ] || [ -z "${DISPLAY:-}" ]; then
        null_sound=1
        wine_session_display
    fi
    if [ $null_sound = 1 ]; then wine_session_sound; fi
    wine_session_prefix
}

wine_session_end() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$PIPIT_XVFB_PID" ]; then
        kill "$PIPIT_XVFB_PID" >/dev/null 2>&1 || true
        wait "$PIPIT_XVFB_PID" 2>/dev/null || true
    fi
}
