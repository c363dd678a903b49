# Sourced by the other scripts: a Wine prefix whose windows live in a
# 1280 x 800 virtual desktop, on a virtual X display when there is no display.
#   DRAVIK_WINEPREFIX  prefix folder (default ~/.cache/dravik/wine)
#   DRAVIK_DISPLAY     X display to start when DISPLAY is unset (default :91)

export WINEPREFIX=${DRAVIK_WINEPREFIX:-$HOME/.cache/dravik/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
DRAVIK_XVFB_PID=

dravik_start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
    local display=${DRAVIK_DISPLAY:-:91}
    Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    DRAVIK_XVFB_PID=$!
    export DISPLAY=$display
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return
        sleep 0.1
    done
    echo "Xvfb did not start on $display" >&2
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
