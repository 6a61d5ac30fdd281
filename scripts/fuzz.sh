#!/usr/bin/env bash
# Builds the playlist reader natively with libFuzzer and AddressSanitizer and fuzzes it for a
# bounded time (seconds, default 20).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
out=${PIPIT_BUILD:-$root/build}/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I"$root" \
    "$root/tests/fuzz/PlaylistLinesFuzzer.cpp" "$root/playback/PlaylistLines.cpp" -o "$out/playlist-lines-fuzzer"
printf 'C:\\a.mp3\r\nb.wav\n\x1a' > "$out/corpus/seed"
"$out/playlist-lines-fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=0 \
    -artifact_prefix="$out/" "$out/corpus" 2>&1 | tail -n 3
