#!/usr/bin/env bash
# A longer random walk of user actions than the test command's (tests/RandomWalkTests.cpp), with
# fresh seeds, run by hand before a stop: bash scripts/soak.sh [WALKS] [STEPS]. Builds like the
# test command, then runs WALKS walks (default 10) of STEPS actions (default 1000) each, and prints
# the seed of each walk that failed with the actions that led there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export PIPIT_BUILD=${PIPIT_BUILD:-$root/build}
walks=${1:-10}
export PIPIT_WALK_STEPS=${2:-1000}

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
source "$root/scripts/wine-session.sh"
trap wine_session_end EXIT
trap "exit 130" INT TERM
wine_session_begin own-display null-sound

failed=0
for walk in $(seq 1 "$walks"); do
    export PIPIT_WALK_SEED=$(( (RANDOM << 15) | RANDOM ))
    echo "walk $walk of $walks: seed $PIPIT_WALK_SEED, $PIPIT_WALK_STEPS actions"
    if ! (cd "$PIPIT_BUILD" && ctest --output-on-failure --timeout 1800 -R '^walk_tests$' >"$PIPIT_BUILD/soak-$PIPIT_WALK_SEED.log" 2>&1); then
        failed=$((failed + 1))
        echo "  FAILED: see $PIPIT_BUILD/soak-$PIPIT_WALK_SEED.log"
        grep -A 25 "replay with" "$PIPIT_BUILD/soak-$PIPIT_WALK_SEED.log" | head -n 40 || true
    fi
done
echo "$((walks - failed)) of $walks walks passed"
[ "$failed" -eq 0 ]
