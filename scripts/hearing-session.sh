# Sourced by scripts/bench.sh for the listening benchmark: a PulseAudio null sink, which plays at
# the pace of real time and whose monitor can be recorded, and a Wine prefix that plays to it. Both
# live in $PIPIT_BUILD/hearing, apart from the prefix of the other benchmarks and from the tests'
# null ALSA device, and are ended again by hearing_session_end. Needs scripts/wine-session.sh sourced
# and a display (the listening benchmark needs MCI's notifications). Run it in a subshell: it
# changes the Wine prefix, HOME and XDG_RUNTIME_DIR.

hearing_session_sink() {
    if ! pulseaudio --check 2>/dev/null; then
        pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
            --load="module-null-sink sink_name=nul rate=44100 norewinds=1" --load=module-native-protocol-unix >/dev/null 2>&1
    fi
    local tries=0
    while ! pactl info >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ]; then
            echo "hearing: the PulseAudio daemon did not start" >&2
            return 1
        fi
        sleep 0.05
    done
    pactl set-default-sink nul
}

hearing_session_begin() {
    local folder="$PIPIT_BUILD/hearing"
    export WINEPREFIX="$folder/wineprefix"
    export HOME="$folder/home"
    export XDG_RUNTIME_DIR="$folder/runtime"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    hearing_session_sink
    wine_session_prefix
    # Wine's PulseAudio driver only: no falling back to ALSA unheard.
    "$PIPIT_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d pulse /f >/dev/null 2>&1
}

# Ends this prefix's Wine server and the daemon of this runtime folder, no other.
hearing_session_end() {
    wineserver -k >/dev/null 2>&1 || true
    pulseaudio --kill >/dev/null 2>&1 || true
}
