#!/usr/bin/env bash
# Installs what is missing, builds, checks the sources, and runs every test under Wine on a private
# virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export PIPIT_BUILD=${PIPIT_BUILD:-$root/build}

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
# The 32-bit build is compiled, tests included, but not run: Wine's 32-bit side needs a kernel that
# runs 32-bit programs, which this kind of machine does not (see docs/DEVELOPING.md).
PIPIT_ARCH=x86 PIPIT_BUILD="$PIPIT_BUILD/x86" bash "$root/scripts/build.sh"
# A second compiler over the same program and tests: clang, warnings as errors. Built, not run; its
# compile commands are what clang-tidy reads.
PIPIT_ARCH=clang PIPIT_BUILD="$PIPIT_BUILD/clang" bash "$root/scripts/build.sh"
bash "$root/scripts/static-analysis.sh"
# The playlist reader, natively, under libFuzzer and AddressSanitizer for a bounded time.
bash "$root/scripts/fuzz.sh" 20

source "$root/scripts/wine-session.sh"
trap wine_session_end EXIT
trap "exit 130" INT TERM
wine_session_begin own-display null-sound

# One at a time: the tests that play sound must not share the machine with each other.
cd "$PIPIT_BUILD"
ctest --output-on-failure --timeout 300 "$@"
