#!/usr/bin/env bash
# Fuzzing with libFuzzer (clang, native, sanitizers on). Every target in
# tests/fuzz has its seeds in tests/fuzz/corpus/<name>.
#   scripts/fuzz.sh corpus                 a short bounded pass of every target (CI)
#   scripts/fuzz.sh long [secs] [target..] a long run of each target in turn (default
#                                          600 s each, all targets), length control
#                                          off, with large generated seeds; inputs up
#                                          to DRAVIK_FUZZ_MAX_LEN bytes (default 1 MB:
#                                          the settings parser then runs a few inputs
#                                          a second, 65536 gives it a hundred)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DRAVIK_BUILD_DIR:-$repo/build}/fuzz
mode=${1:-corpus}
targets=()
for src in "$repo"/tests/fuzz/*.cpp; do targets+=("$(basename "${src%.cpp}")"); done

# shellcheck source=ccache-env.sh
source "$repo/scripts/ccache-env.sh"
CC=clang CXX=clang++ cmake -S "$repo" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDRAVIK_FUZZ=ON -DDRAVIK_SANITIZE=ON -DDRAVIK_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$out" -j"${DRAVIK_JOBS:-2}" --target "${targets[@]}"

corpus_of() { local c=${1%Fuzz}; echo "${c,,}"; }

# Seeds far above the default length limit: a settings file and an XML
# document of a few hundred kilobytes, and random bytes for the others.
large_seeds() { # large_seeds TARGET FOLDER
    case $1 in
    IniParserFuzz)
        awk 'BEGIN { for (s = 0; s < 2000; s++) { printf "[Section%d]\r\n", s;
                     for (k = 0; k < 10; k++) printf "Key%d=%d,5 Wert %c\r\n", k, s * k, 65 + k } }' \
            >"$2/large-settings.ini"
        ;;
    XmlStoreFuzz)
        { printf '\001<?xml version="1.0" encoding="UTF-8"?>\n<ini>'
          awk 'BEGIN { for (s = 0; s < 2000; s++) { printf "<section name=\"S%d\">", s;
                       for (k = 0; k < 8; k++) printf "<N%d>%d</N%d><key name=\"a b%d\">x</key>", k, s, k, k;
                       printf "</section>\n" } }'
          printf '</ini>\001'; } >"$2/large-document.xml"
        ;;
    esac
    head -c 200000 /dev/urandom >"$2/large-random"
}

case $mode in
corpus) ctest --test-dir "$out" -R '^fuzz_' --output-on-failure ;;
long)
    seconds=${2:-600}
    [ $# -gt 2 ] && targets=("${@:3}")
    findings=$out/findings
    logs=$out/logs
    mkdir -p "$findings" "$logs"
    for target in "${targets[@]}"; do
        work=$(mktemp -d)
        seeds=$(mktemp -d)
        large_seeds "$target" "$seeds"
        echo "=== $target, $seconds s (log: $logs/$target.log)"
        "$out/tests/fuzz/$target" -max_total_time="$seconds" -len_control=0 \
            -max_len="${DRAVIK_FUZZ_MAX_LEN:-1048576}" -timeout=10 -rss_limit_mb=4096 \
            -print_final_stats=1 -artifact_prefix="$findings/$target-" \
            "$work" "$seeds" "$repo/tests/fuzz/corpus/$(corpus_of "$target")" >"$logs/$target.log" 2>&1 || true
        grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::number_of_executed_units|SUMMARY|Test unit written' \
            "$logs/$target.log" || true
        rm -rf "$work" "$seeds"
    done
    echo "findings (if any): $findings"
    ;;
*) echo "usage: $0 [corpus|long [seconds] [target...]]" >&2; exit 2 ;;
esac
