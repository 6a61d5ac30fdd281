#!/usr/bin/env bash
# The layout of every source file (clang-format, .clang-format), the include rules
# (scripts/check-includes.sh), then static analysis of the program's sources with
# cppcheck and clang-tidy (scripts/clang-tidy.sh); fails on any finding. cppcheck's false positives
# are listed, each with its reason, in .cppcheck-suppressions; clang-tidy's checks, and why some are
# left out, are in .clang-tidy.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# Formatting drift fails here rather than piling up until someone formats the whole tree.
find common playback app dialogs resources tests bench -name '*.cpp' -o -name '*.h' |
    sort | xargs clang-format --dry-run -Werror
echo "clang-format: no differences"
bash "$root/scripts/check-includes.sh"
# The platform's headers are not given to cppcheck: its windows library describes the calls.
cppcheck --std=c++20 --language=c++ --enable=warning,style,performance,portability \
         --library=windows -D_WIN32 -DWIN32 -I . \
         --inline-suppr --suppressions-list=.cppcheck-suppressions \
         --error-exitcode=1 --quiet \
         --template='{file}:{line}: {severity} ({id}): {message}' \
         common playback app dialogs
echo "cppcheck: no findings"
bash "$root/scripts/clang-tidy.sh"
