#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine on a private virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export PIPIT_BUILD=${PIPIT_BUILD:-$root/build}

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"

source "$root/scripts/wine-session.sh"
trap wine_session_end EXIT
trap "exit 130" INT TERM
wine_session_begin own-display null-sound

# The playlist reader, natively, under libFuzzer and AddressSanitizer for a bounded time.
bash "$root/scripts/fuzz.sh" 20

# One at a time: the tests that play sound must not share the machine with each other.
cd "$PIPIT_BUILD"
ctest --output-on-failure --timeout 300 "$@"
