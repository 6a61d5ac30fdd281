#!/usr/bin/env bash
# Static analysis of the program's sources with cppcheck; fails on any finding.
# False positives are listed, each with its reason, in .cppcheck-suppressions.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# The platform's headers are not given to cppcheck: its windows library describes the calls.
cppcheck --std=c++20 --language=c++ --enable=warning,style,performance,portability \
         --library=windows -D_WIN32 -DWIN32 -I . \
         --inline-suppr --suppressions-list=.cppcheck-suppressions \
         --error-exitcode=1 --quiet \
         --template='{file}:{line}: {severity} ({id}): {message}' \
         app playback dialogs
echo "static analysis: no findings"
