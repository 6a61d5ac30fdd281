#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pipit under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export PIPIT_BUILD=${PIPIT_BUILD:-$root/build}

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"

if [ ! -f "$PIPIT_BUILD/pipit.exe" ]; then
    echo "Built the playback core and its tests; the program itself (pipit.exe) is not there yet."
    exit 0
fi
