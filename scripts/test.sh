#!/usr/bin/env bash
# Builds Dravik and runs every test layer:
#   1. core unit tests, native, with AddressSanitizer and UBSan
#   2. the same core tests cross-compiled, under Wine
#   3. shell tests under Wine (plus the HTTP/XML dependency check)
#   4. end-to-end: the real Dravik.exe in a Wine virtual desktop on Xvfb,
#      and the suite TwoMonitors on two monitors (Xorg's dummy driver)
# then a short fuzzing pass over the saved corpus and the i686 compile check.
# Screenshots of failed end-to-end tests are kept in build/e2e-failures/.
#
#   scripts/test.sh                      every step (what CI runs)
#   scripts/test.sh --only e2e,shell     these steps, after the builds they need
#   scripts/test.sh --filter 'Scale.*'   GoogleTest filter for the test programs
#   scripts/test.sh --list               the step names
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DRAVIK_BUILD_DIR:-$repo/build}
export DRAVIK_BUILD_DIR=$out

# name|description|build it needs (none, native, windows)
steps=(
    "format|code format (clang-format)|none"
    "layers|layers (platform headers, util, core)|none"
    "texts|texts (every German text has its English)|none"
    "native|build native|none"
    "core|core tests (native, sanitizers)|native"
    "windows|build windows x86_64|none"
    "binaries|Windows binaries (PE, exports, manifest)|windows"
    "help|help files (chmls)|windows"
    "dist|distribution (installer, zip)|windows"
    "core-wine|core tests (Windows, Wine)|windows"
    "shell|shell tests (Wine)|windows"
    "deps|HTTP and XML libraries (Wine)|windows"
    "e2e|end-to-end (Wine)|windows"
    "e2e-screens|end-to-end on two monitors (Wine, Xorg dummy)|windows"
    "fuzz|fuzzing pass over the corpus|none"
    "i686|build windows i686 (compile only)|none"
)

only=""
filter=""
while (($#)); do
    case $1 in
    --only) only=${2:?--only needs step names}; shift 2 ;;
    --only=*) only=${1#--only=}; shift ;;
    --filter) filter=${2:?--filter needs a pattern}; shift 2 ;;
    --filter=*) filter=${1#--filter=}; shift ;;
    --list)
        for s in "${steps[@]}"; do IFS='|' read -r name desc _ <<<"$s"; printf '%-12s %s\n' "$name" "$desc"; done
        exit 0
        ;;
    *) echo "usage: $0 [--only STEP[,STEP]] [--filter PATTERN] [--list]" >&2; exit 2 ;;
    esac
done

# The steps to run: all, or those named and the builds they need.
declare -A wanted=()
if [ -z "$only" ]; then
    for s in "${steps[@]}"; do wanted[${s%%|*}]=1; done
else
    IFS=',' read -ra names <<<"$only"
    for n in "${names[@]}"; do
        found=""
        for s in "${steps[@]}"; do
            IFS='|' read -r name _ needs <<<"$s"
            [ "$name" = "$n" ] || continue
            found=1
            wanted[$name]=1
            [ "$needs" = none ] || wanted[$needs]=1
        done
        [ -n "$found" ] || { echo "unknown step: $n (see --list)" >&2; exit 2; }
    done
fi

gtest_args=()
[ -z "$filter" ] || gtest_args=("--gtest_filter=$filter")

passed=0
failed=0
failures=()
step() { # step NAME COMMAND...
    local name=$1 desc="" s
    shift
    [ -n "${wanted[$name]:-}" ] || return 0
    for s in "${steps[@]}"; do [ "${s%%|*}" = "$name" ] && { IFS='|' read -r _ desc _ <<<"$s"; }; done
    echo "=== $desc"
    local start=$SECONDS
    if "$@"; then
        passed=$((passed + 1))
        echo "=== $desc: passed ($((SECONDS - start)) s)"
    else
        failed=$((failed + 1))
        failures+=("$desc")
        echo "=== $desc: FAILED ($((SECONDS - start)) s)"
    fi
}

setup_start=$SECONDS
"$repo/scripts/setup.sh" >/dev/null || { echo "set-up failed"; exit 1; }
echo "=== set-up: $((SECONDS - setup_start)) s"

format_check() {
    (cd "$repo" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror)
}
core_native() {
    # One process for all of them: with the sanitizers a process start costs
    # a quarter of a second, which ctest would pay once per test. (ctest
    # knows every test by its name too: ctest --test-dir build/native -R ...)
    "$out/native/tests/dravik_core_tests" "${gtest_args[@]}"
}
step format format_check
step layers "$repo/scripts/check-layers.sh"
step texts python3 "$repo/scripts/check-texts.py" "$repo"
step native "$repo/scripts/build.sh" native
step core core_native
step windows "$repo/scripts/build.sh" windows

step binaries "$repo/scripts/check-binaries.sh" "$out/x86_64/bin"
step help "$repo/scripts/check-help.sh" "$out/x86_64/bin"
dist_check() { "$repo/scripts/dist.sh" && "$repo/scripts/check-dist.sh"; }
step dist dist_check

# shellcheck source=wine-env.sh
source "$repo/scripts/wine-env.sh"
needs_wine=""
for n in core-wine shell deps e2e; do [ -n "${wanted[$n]:-}" ] && needs_wine=1; done
if [ -n "$needs_wine" ]; then
    trap dravik_stop_wine EXIT
    dravik_start_display
    dravik_prepare_prefix
fi
bin=$out/x86_64/bin

run_wine() { # run_wine PROGRAM ARGS... (inside the virtual desktop)
    # With wine_locale set, Wine's programs see that locale (LC_ALL, passed by
    # env so that this shell does not try to switch to it itself).
    (cd "$bin" && timeout 600 env ${wine_locale:+LC_ALL=$wine_locale} wine "$@")
}
# The end-to-end test program with these arguments; Wine's debug output goes
# to the file TRACE, screenshots of failed tests to build/e2e-failures.
run_e2e_tests() { # run_e2e_tests TRACE ARGS...
    local trace=$1
    shift
    rm -rf "$bin/e2e-failures"
    # Wine opens web pages with xdg-open from the path: a stand-in there
    # writes down what the program asked the browser to open.
    local browser="$out/e2e-browser"
    mkdir -p "$browser"
    printf '#!/bin/sh\necho "$@" >> "$DRAVIK_BROWSER_LOG"\n' >"$browser/xdg-open"
    chmod +x "$browser/xdg-open"
    # Wine's debug channels write to the standard error every program here
    # shares: a file the tests read back (the help tests trace the viewer).
    : >"$trace"
    # A German system, the program's own language, unless the caller names
    # another: the automatic choice of the language then does not depend on
    # this machine's locale.
    wine_locale=${e2e_locale:-de_DE.UTF-8} PATH="$browser:$PATH" \
        DRAVIK_BROWSER_LOG="$browser/opened.txt" \
        DRAVIK_E2E_STDERR=$(winepath -w "$trace") \
        run_wine dravik_e2e_tests.exe "$@" 2>"$trace"
    local rc=$?
    [ $rc -eq 0 ] || grep -v ':trace:' "$trace" | tail -20 >&2
    if [ -d "$bin/e2e-failures" ]; then
        mkdir -p "$out/e2e-failures"
        for f in "$bin"/e2e-failures/*.bmp; do
            [ -e "$f" ] && convert "$f" "$out/e2e-failures/$(basename "${f%.bmp}").png"
        done
        echo "screenshots of failures: $out/e2e-failures"
    fi
    return $rc
}
# The tests of one suite that a filter names, by their full names, joined by ":".
suite_tests() { # suite_tests PROGRAM SUITE FILTER
    run_wine "$1" --gtest_list_tests "--gtest_filter=$3" |
        tr -d '\r' | awk -v suite="$2." '
            /^[^ ]/ { current = $1 }
            /^  [^ ]/ && current == suite { printf "%s%s%s", sep, suite, $1; sep = ":" }'
}
# The suite on two monitors runs in e2e-screens only; the suite of an English
# system runs after the others, on a system with an English locale.
two_monitor_suite=TwoMonitors
english_suite=EnglishSystem
e2e() {
    local f=${filter:-*} rc=0
    local others="$two_monitor_suite.*:$english_suite.*"
    if [[ $f == *-* ]]; then f="$f:$others"; else f="$f-$others"; fi
    run_e2e_tests "$out/e2e-stderr.log" "--gtest_filter=$f" || rc=1
    local english
    english=$(suite_tests dravik_e2e_tests.exe "$english_suite" "${filter:-*}")
    if [ -n "$english" ]; then
        e2e_locale=en_US.UTF-8 run_e2e_tests "$out/e2e-english-stderr.log" \
            "--gtest_filter=$english" || rc=1
    fi
    return $rc
}
# Wine's virtual desktop is a single monitor, so the tests of a ruler on
# several monitors get Wine's own desktop over a whole X screen instead: an
# Xorg server with the dummy driver and two outputs of different sizes, and a
# Wine prefix of their own without the virtual desktop. Both end with the step.
e2e_screens() (
    trap 'wineserver -k >/dev/null 2>&1; dravik_stop_two_monitors' EXIT
    dravik_start_two_monitors || return 1
    dravik_use_two_monitor_prefix
    local tests="$two_monitor_suite.*"
    if [ -n "$filter" ]; then
        # The filter's tests of this suite, by their full names.
        tests=$(suite_tests dravik_e2e_tests.exe "$two_monitor_suite" "$filter")
        if [ -z "$tests" ]; then
            echo "no test of $two_monitor_suite matches the filter"
            return 0
        fi
    fi
    run_e2e_tests "$out/e2e-screens-stderr.log" "--gtest_filter=$tests"
)

# The suite that measures the dialogs' texts runs with the others at 96 DPI,
# then once more at 144 DPI, the prefix set to it for that run only (and to
# 96 first, should an interrupted run have left it at 144). Each run tells
# the tests its DPI, so a run that did not get it fails.
layout_suite=Windows/DialogTextsFit
shell_tests() {
    local rc=0 layout
    dravik_set_dpi 96 || rc=1
    DRAVIK_EXPECTED_DPI=96 run_wine dravik_shell_tests.exe "${gtest_args[@]}" || rc=1
    layout=$(suite_tests dravik_shell_tests.exe "$layout_suite" "${filter:-*}")
    if [ -n "$layout" ]; then
        echo "--- $layout_suite at 144 DPI"
        dravik_set_dpi 144 || rc=1
        DRAVIK_EXPECTED_DPI=144 run_wine dravik_shell_tests.exe "--gtest_filter=$layout" || rc=1
        dravik_set_dpi 96 || rc=1
    fi
    return $rc
}

step core-wine run_wine dravik_core_tests.exe "${gtest_args[@]}"
step shell shell_tests
if [ -x "$repo/scripts/check-win-deps.sh" ]; then
    step deps "$repo/scripts/check-win-deps.sh" "$bin"
fi
step e2e e2e
step e2e-screens e2e_screens
if [ -x "$repo/scripts/fuzz.sh" ]; then
    step fuzz "$repo/scripts/fuzz.sh" corpus
fi
step i686 "$repo/scripts/build.sh" i686

echo
if ((failed)); then printf 'failed: %s\n' "${failures[@]}"; fi
echo "total: $SECONDS s"
echo "$passed passed, $failed failed"
((failed == 0))
