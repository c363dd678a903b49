# Sourced by the other scripts: a Wine prefix whose windows live in a
# 1280 x 800 virtual desktop, on a virtual X display when there is no display.
#   DRAVIK_WINEPREFIX  prefix folder (default ~/.cache/dravik/wine)

export WINEPREFIX=${DRAVIK_WINEPREFIX:-$HOME/.cache/dravik/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
DRAVIK_XVFB_PID=

dravik_start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
    # Xvfb picks a free display itself (-displayfd), so a stale lock file of
    # an earlier, killed server cannot get in the way.
    local fifo number
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    DRAVIK_XVFB_PID=$!
    read -r -t 20 number <"$fifo" || true
    rm -f "$fifo"
    if [ -z "${number:-}" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=:$number
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return
        sleep 0.1
    done
    echo "Xvfb did not answer on $DISPLAY" >&2
    return 1
}

dravik_prepare_prefix() {
    if [ ! -f "$WINEPREFIX/.dravik-ready" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        # Every program runs in the same virtual desktop, and wine returns the
        # program's own exit code.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.dravik-ready"
    fi
}

dravik_stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$DRAVIK_XVFB_PID" ]; then kill "$DRAVIK_XVFB_PID" 2>/dev/null || true; fi
}
