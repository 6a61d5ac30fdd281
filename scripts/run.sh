#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pipit under Wine.
# With an X display, Pipit runs there until you choose E&xit from its tray menu. Without one, a
# virtual display is started, a screenshot of the tray with the popup menu open is saved, and Pipit
# runs on until Ctrl+C ends it and the display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export PIPIT_BUILD=${PIPIT_BUILD:-$root/build}

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"

source "$root/scripts/wine-session.sh"
trap wine_session_end EXIT
trap "exit 130" INT TERM
had_display=${DISPLAY:-}
wine_session_begin

"$PIPIT_WINE" "$PIPIT_BUILD/pipit.exe" &
pipit=$!

if [ -n "$had_display" ]; then
    echo "Pipit is running in the tray of $DISPLAY; choose E&xit from its menu (or press Ctrl+C) to end it."
    wait "$pipit" || true
    exit 0
fi

ARTIFACTS="$PIPIT_BUILD"
source "$root/tests/e2e/e2e-lib.sh"
if wait_for 20 icons_at_least 20 && open_tray_menu >/dev/null; then
    sleep 0.5
    shot="$PIPIT_BUILD/pipit-tray.png"
    import -window root -crop 400x300+0+0 "$shot"
    echo "No X display here: Pipit runs on the virtual display $DISPLAY."
    echo "Screenshot of its tray menu: $shot"
else
    echo "Pipit started on the virtual display $DISPLAY, but its tray icon did not show."
fi
echo "Press Ctrl+C to end Pipit and the virtual display."
wait "$pipit" || true
