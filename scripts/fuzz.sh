#!/usr/bin/env bash
# Fuzzing with libFuzzer (clang, native, sanitizers on).
#   scripts/fuzz.sh corpus        a short bounded pass over the saved corpus (CI)
#   scripts/fuzz.sh long [secs]   a longer run of the settings parser (default 600 s)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DRAVIK_BUILD_DIR:-$repo/build}/fuzz
mode=${1:-corpus}

CC=clang CXX=clang++ cmake -S "$repo" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDRAVIK_FUZZ=ON -DDRAVIK_SANITIZE=ON -DDRAVIK_BENCH=OFF >/dev/null
cmake --build "$out" -j"${DRAVIK_JOBS:-2}" --target IniParserFuzz

case $mode in
corpus) ctest --test-dir "$out" -R fuzz --output-on-failure ;;
long)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    "$out/tests/fuzz/IniParserFuzz" -max_total_time="${2:-600}" -max_len=65536 -timeout=10 \
        "$work" "$repo/tests/fuzz/corpus/ini"
    ;;
*) echo "usage: $0 [corpus|long [seconds]]" >&2; exit 2 ;;
esac
