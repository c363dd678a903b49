#!/usr/bin/env bash
# Proves the Windows dependency pipeline end to end: the cached libcurl and
# pugixml link into a static Windows program that, under Wine, fetches files from
# local servers byte for byte (plain HTTP, a redirect, a 404, and HTTPS through
# Schannel against a certificate made for the run).
#
#   scripts/check-win-deps.sh                 builds deps (x86_64) and the check program
#   scripts/check-win-deps.sh <program.exe>   checks an already built one
#   scripts/check-win-deps.sh <folder>        ... found in that folder, e.g. the whole
#                                             tree's <build>/bin
#
# Environment: DRAVIK_DEPS_CHECK_BUILD (build folder, default <repo>/build-deps-check),
# WINEPREFIX (default: a private prefix under ~/.cache/dravik, created on first use).
# Only 64-bit: this machine cannot run 32-bit Windows programs.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
log() { printf 'check-win-deps: %s\n' "$*" >&2; }
die() {
    log "error: $*"
    exit 1
}

if [[ $# -ge 1 ]]; then
    program=$(realpath "$1")
    [[ -d $program ]] && program=$program/dravik_curl_fetch_check.exe
else
    prefix=$("$repo/scripts/build-win-deps.sh" x86_64 | tail -1)
    build=${DRAVIK_DEPS_CHECK_BUILD:-$repo/build-deps-check}
    log "building the check program in $build"
    cmake -S "$repo/tests/deps" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw.cmake" -DDRAVIK_ARCH=x86_64 \
        -DDRAVIK_WIN_DEPS="$prefix" >&2
    cmake --build "$build" -j2 >&2
    program=$build/dravik_curl_fetch_check.exe
fi
[[ -f $program ]] || die "no program at $program"

for tool in wine python3 x86_64-w64-mingw32-objdump cmp; do
    command -v $tool >/dev/null || die "$tool missing"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/dravik-deps-check.XXXXXX")
server_pids=()
own_prefix=0
cleanup() {
    local pid
    for pid in "${server_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${server_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    # Stop only the wineserver of the private prefix; a caller's prefix may be in use.
    if [[ $own_prefix -eq 1 ]]; then wineserver -k 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

passed=0
failed=0
pass() {
    log "ok: $1"
    passed=$((passed + 1))
}
fail() {
    log "FAIL: $1"
    [[ -s $work/stderr ]] && sed 's/^/    /' "$work/stderr" >&2
    failed=$((failed + 1))
}

# Statically linked: only DLLs that every Windows has, no MinGW runtime DLLs.
mingw_dlls=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p' |
    grep -i -E '^(lib|mingw)|stdc\+\+|gcc|pthread' || true)
: >"$work/stderr"
if [[ -z $mingw_dlls ]]; then pass "imports only system DLLs"; else
    echo "$mingw_dlls" >"$work/stderr"
    fail "imports MinGW runtime DLLs"
fi

# The files served: binary bytes (no CRLF translation allowed) and a folder,
# which http.server answers with a redirect to its index.
www=$work/www
mkdir -p "$www/folder"
{
    printf 'line one\nline two\r\n\0\377\n'
    head -c 200000 /dev/urandom
} >"$www/payload.bin"
printf '<p>index of folder</p>\n' >"$www/folder/index.html"

# Starts a server printing "... port N ..." on its first line; sets $port.
start_server() {
    local out=$1
    shift
    "$@" >"$out" 2>&1 &
    server_pids+=($!)
    port=""
    for _ in $(seq 100); do
        port=$(sed -n 's/.*port \([0-9][0-9]*\).*/\1/p' "$out" | head -1)
        [[ -n $port ]] && return 0
        kill -0 "${server_pids[-1]}" 2>/dev/null || break
        sleep 0.1
    done
    cat "$out" >&2
    die "server did not start: $*"
}

# Port 0: the kernel picks a free port, so parallel runs never collide.
start_server "$work/http.log" python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$www"
http_port=$port

have_tls=0
if command -v openssl >/dev/null; then
    for name in trusted other; do
        openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=localhost \
            -addext subjectAltName=DNS:localhost \
            -keyout "$work/$name.key" -out "$work/$name.pem" 2>/dev/null
    done
    start_server "$work/https.log" python3 -u -c '
import functools, http.server, ssl, sys
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(sys.argv[1], sys.argv[2])
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[3])
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
server.socket = context.wrap_socket(server.socket, server_side=True)
print("HTTPS on port", server.server_address[1], flush=True)
server.serve_forever()
' "$work/trusted.pem" "$work/trusted.key" "$www"
    https_port=$port
    have_tls=1
else
    log "openssl missing: the HTTPS cases are skipped"
fi

if [[ -z ${WINEPREFIX:-} ]]; then
    export WINEPREFIX=${XDG_CACHE_HOME:-$HOME/.cache}/dravik/wine-deps-check
    own_prefix=1
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    log "creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >"$work/wineboot.log" 2>&1 || {
        cat "$work/wineboot.log" >&2
        die "wineboot failed"
    }
fi

# Runs the program; sets $rc, the body lands in $work/body.
fetch() {
    rc=0
    timeout 120 wine "$program" "$@" >"$work/body" 2>"$work/stderr" || rc=$?
}

expect_body() {
    local what=$1 expected=$2
    shift 2
    fetch "$@"
    if [[ $rc -eq 0 ]] && cmp -s "$work/body" "$expected"; then pass "$what"; else
        echo "exit code $rc; body $(wc -c <"$work/body") bytes, expected $(wc -c <"$expected")" >>"$work/stderr"
        fail "$what"
    fi
}

expect_failure() {
    local what=$1
    shift
    fetch "$@"
    # Exit code 4: the fetch itself failed (not a crash, not a broken setup).
    if [[ $rc -eq 4 ]]; then pass "$what"; else
        echo "exit code $rc, expected 4" >>"$work/stderr"
        fail "$what"
    fi
}

base=http://127.0.0.1:$http_port
expect_body "HTTP binary file byte for byte" "$www/payload.bin" "$base/payload.bin"
expect_body "HTTP redirect followed" "$www/folder/index.html" "$base/folder"
expect_failure "HTTP 404 is an error" "$base/missing.txt"
if [[ $have_tls -eq 1 ]]; then
    tls=https://localhost:$https_port
    expect_body "HTTPS through Schannel with a trusted certificate" "$www/payload.bin" \
        --cacert "Z:$work/trusted.pem" "$tls/payload.bin"
    expect_failure "HTTPS with an untrusted certificate is refused" \
        --cacert "Z:$work/other.pem" "$tls/payload.bin"
fi

echo "check-win-deps: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
