#!/usr/bin/env bash
# Builds Dravik and runs every test layer:
#   1. core unit tests, native, with AddressSanitizer and UBSan
#   2. the same core tests cross-compiled, under Wine
#   3. shell tests under Wine (plus the HTTP/XML dependency check)
#   4. end-to-end: the real Dravik.exe in a Wine virtual desktop on Xvfb
# then a short fuzzing pass over the saved corpus and the i686 compile check.
# Screenshots of failed end-to-end tests are kept in build/e2e-failures/.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DRAVIK_BUILD_DIR:-$repo/build}
export DRAVIK_BUILD_DIR=$out

passed=0
failed=0
failures=()
step() { # step NAME COMMAND...
    local name=$1
    shift
    echo "=== $name"
    local start=$SECONDS
    if "$@"; then
        passed=$((passed + 1))
        echo "=== $name: passed ($((SECONDS - start)) s)"
    else
        failed=$((failed + 1))
        failures+=("$name")
        echo "=== $name: FAILED ($((SECONDS - start)) s)"
    fi
}

setup_start=$SECONDS
"$repo/scripts/setup.sh" >/dev/null || { echo "set-up failed"; exit 1; }
echo "=== set-up: $((SECONDS - setup_start)) s"

format_check() {
    (cd "$repo" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror)
}
step "code format (clang-format)" format_check
step "layers (platform headers, util, core)" "$repo/scripts/check-layers.sh"
step "build native" "$repo/scripts/build.sh" native
step "core tests (native, sanitizers)" ctest --test-dir "$out/native" --output-on-failure
step "build windows x86_64" "$repo/scripts/build.sh" windows

step "Windows binaries (PE, exports, manifest)" "$repo/scripts/check-binaries.sh" "$out/x86_64/bin"
step "help file (chmls)" "$repo/scripts/check-help.sh" "$out/x86_64/bin"
dist_check() { "$repo/scripts/dist.sh" && "$repo/scripts/check-dist.sh"; }
step "distribution (installer, zip)" dist_check

# shellcheck source=wine-env.sh
source "$repo/scripts/wine-env.sh"
trap dravik_stop_wine EXIT
dravik_start_display
dravik_prepare_prefix
bin=$out/x86_64/bin

run_wine() { # run_wine PROGRAM ARGS... (inside the virtual desktop)
    (cd "$bin" && timeout 600 wine "$@")
}
e2e() {
    rm -rf "$bin/e2e-failures"
    # Wine opens web pages with xdg-open from the path: a stand-in there
    # writes down what the program asked the browser to open.
    local browser="$out/e2e-browser"
    mkdir -p "$browser"
    printf '#!/bin/sh\necho "$@" >> "$DRAVIK_BROWSER_LOG"\n' >"$browser/xdg-open"
    chmod +x "$browser/xdg-open"
    # Wine's debug channels write to the standard error every program here
    # shares: a file the tests read back (the help tests trace the viewer).
    local trace="$out/e2e-stderr.log"
    : >"$trace"
    PATH="$browser:$PATH" DRAVIK_BROWSER_LOG="$browser/opened.txt" \
        DRAVIK_E2E_STDERR=$(winepath -w "$trace") run_wine dravik_e2e_tests.exe 2>"$trace"
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

step "core tests (Windows, Wine)" run_wine dravik_core_tests.exe
step "shell tests (Wine)" run_wine dravik_shell_tests.exe
if [ -x "$repo/scripts/check-win-deps.sh" ]; then
    step "HTTP and XML libraries (Wine)" "$repo/scripts/check-win-deps.sh" "$bin"
fi
step "end-to-end (Wine)" e2e
if [ -x "$repo/scripts/fuzz.sh" ]; then
    step "fuzzing pass over the corpus" "$repo/scripts/fuzz.sh" corpus
fi
step "build windows i686 (compile only)" "$repo/scripts/build.sh" i686

echo
if ((failed)); then printf 'failed: %s\n' "${failures[@]}"; fi
echo "total: $SECONDS s"
echo "$passed passed, $failed failed"
((failed == 0))
