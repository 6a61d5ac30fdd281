#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks into their own folder (build-bench/, so the tests'
# build/ is never touched), runs them under Wine on a private virtual display and prints the tables.
# Every figure is a ratio against a floor measured in the same run. Also prints the size of the
# stripped pipit.exe and plots the time per entry to build-bench/bench-per-entry.png.
# Arguments choose benchmarks by key: load save dialog folder startup rest memory search mci (sound
# sent to a null ALSA device) and hearing (what a listener hears, from a PulseAudio null sink); none
# runs them all. PIPIT_HEARING_ROUNDS (default 1) repeats the listening runs for more transitions.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export PIPIT_BUILD=${PIPIT_BENCH_BUILD:-$root/build-bench}

others=()
hearing=$(($# == 0))
for key in "$@"; do
    if [ "$key" = hearing ]; then hearing=1; else others+=("$key"); fi
done

bash "$root/scripts/setup.sh" gnuplot-nox pulseaudio pulseaudio-utils python3
bash "$root/scripts/build.sh" -DPIPIT_BENCH=ON -DPIPIT_TESTS=OFF

source "$root/scripts/wine-session.sh"
trap wine_session_end EXIT
trap "exit 130" INT TERM

if [ $# -eq 0 ] || [ ${#others[@]} -gt 0 ]; then
    wine_session_begin own-display null-sound
    cd "$PIPIT_BUILD"
    rm -f bench-per-entry.dat
    "$PIPIT_WINE" ./pipit_bench.exe "${others[@]}" </dev/null

    x86_64-w64-mingw32-strip -o pipit-stripped.exe pipit.exe
    echo
    echo "Stripped release pipit.exe: $(stat -c %s pipit-stripped.exe) bytes"

    if [ -s bench-per-entry.dat ]; then
        gnuplot <<'PLOT'
set terminal png size 640,400
set output 'bench-per-entry.png'
set title 'Time per entry against N (median of repetitions; flat means linear)'
set xlabel 'N (entries)'
set ylabel 'microseconds per entry'
set logscale xy
set xrange [500:2000000]
set yrange [0.1:100]
set key bottom right
set grid
plot 'bench-per-entry.dat' index 0 with linespoints lw 2 title 'Playlist::Load', \
     '' index 1 with linespoints lw 2 title 'Playlist dialog opened and shown'
PLOT
        echo "Time per entry plotted: $PIPIT_BUILD/bench-per-entry.png"
    fi
    wineserver -k >/dev/null 2>&1 || true  # this prefix is done with; the listening has its own
else
    wine_session_display
fi

if [ $hearing = 1 ]; then
    (
        source "$root/scripts/hearing-session.sh"
        trap hearing_session_end EXIT
        trap "exit 130" INT TERM
        hearing_session_begin
        python3 "$root/bench/hearing.py" --programs "$PIPIT_BUILD" --work "$PIPIT_BUILD/hearing" \
            --rounds "${PIPIT_HEARING_ROUNDS:-1}" </dev/null
    )
fi
