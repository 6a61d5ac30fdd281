#!/usr/bin/env bash
# Checks that includes run one way: common/ uses none of the other folders, playback/ uses only
# common/, dialogs/ uses of app/ only its process-wide state (app/AppState.h), and no two files
# include each other. Prints each breach and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

breaches=0
breach() {
    echo "include rule: $1"
    breaches=$((breaches + 1))
}

# file -> included file, one pair a line, for every source of the program.
edges=$(grep -H -o '^#include "[^"]*"' common/* playback/* app/* dialogs/* |
    sed 's/:#include "\(.*\)"$/ \1/')

while read -r file included; do
    case "$file:$included" in
        common/*:playback/* | common/*:app/* | common/*:dialogs/*) breach "$file includes $included" ;;
        playback/*:app/* | playback/*:dialogs/*) breach "$file includes $included" ;;
        dialogs/*:app/AppState.h) ;;
        dialogs/*:app/*) breach "$file includes $included" ;;
    esac
    if grep -qx "$included $file" <<<"$edges"; then
        breach "$file and $included include each other"
    fi
done <<<"$edges"

[ "$breaches" -eq 0 ] && echo "include rules: kept"
exit $((breaches > 0))
