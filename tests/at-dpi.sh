#!/usr/bin/env bash
# Runs a Windows program of the tests with the display scaled: the test prefix's dots per inch set
# for as long as it runs, then given back.
# Usage: at-dpi.sh DOTS_PER_INCH WINE_LOADER PROGRAM [ARGUMENTS...]
set -uo pipefail
dpi=$1 wine=$2
shift 2
key='HKCU\Control Panel\Desktop'
"$wine" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
trap '"$wine" reg delete "$key" /v LogPixels /f >/dev/null 2>&1' EXIT
"$wine" "$@"
