# Sourced by the other scripts: a Wine prefix whose windows live in a
# 1280 x 800 virtual desktop, on a virtual X display when there is no display.
# For the tests on two monitors a second prefix without the virtual desktop
# (Wine's virtual desktop is one monitor) on an X server with two outputs.
#   DRAVIK_WINEPREFIX  prefix folder (default ~/.cache/dravik/wine); the
#                      two-monitor prefix is the same name with "-monitors"

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

# dravik_prepare_prefix [whole-screen]: whole-screen leaves out the virtual
# desktop, for the two-monitor prefix.
dravik_prepare_prefix() {
    if [ ! -f "$WINEPREFIX/.dravik-ready" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        # Every program runs in the same virtual desktop, and wine returns the
        # program's own exit code.
        if [ "${1:-}" != whole-screen ]; then
            wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f >/dev/null 2>&1
        fi
        wineserver -w
        touch "$WINEPREFIX/.dravik-ready"
    fi
}

# dravik_set_dpi DPI: what a program started from now on takes for the
# system's DPI (96 is the prefix's own): Windows' setting, and Wine's for
# its fonts. Programs already running keep theirs.
dravik_set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\Wine\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

DRAVIK_XORG_PID=
DRAVIK_XORG_DIR=

# An X server with two monitors of different sizes side by side: DUMMY0
# 1280 x 800 at 0,0 (the primary) and DUMMY1 1024 x 768 at 1280,0. Xorg with
# the dummy driver, as Xvfb has no RandR outputs to arrange. It picks a free
# display itself and keeps its log in a folder of its own, so it runs beside
# other X servers. Sets DISPLAY; dravik_stop_two_monitors ends it.
dravik_start_two_monitors() {
    local here fifo number
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    DRAVIK_XORG_DIR=$(mktemp -d "${TMPDIR:-/tmp}/dravik-xorg.XXXXXX")
    fifo=$DRAVIK_XORG_DIR/displayfd
    mkfifo "$fifo"
    # -config takes a full path when the server runs as root or as the user
    # (not through the set-uid wrapper). -noreset: the layout set below would
    # be lost when the last client leaves.
    Xorg -displayfd 3 -noreset -nolisten tcp -config "$here/xorg-dummy.conf" \
        -logfile "$DRAVIK_XORG_DIR/Xorg.log" 3>"$fifo" >/dev/null 2>&1 &
    DRAVIK_XORG_PID=$!
    read -r -t 30 number <"$fifo" || true
    if [ -z "${number:-}" ]; then
        echo "Xorg did not start (log: $DRAVIK_XORG_DIR/Xorg.log)" >&2
        return 1
    fi
    export DISPLAY=:$number
    # The second output's mode is not among the dummy driver's own.
    xrandr --newmode dravik1024x768 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync &&
        xrandr --addmode DUMMY1 dravik1024x768 &&
        xrandr --output DUMMY0 --mode 1280x800 --pos 0x0 --primary \
            --output DUMMY1 --mode dravik1024x768 --pos 1280x0 || return 1
    for _ in $(seq 100); do
        [ "$(xrandr --listmonitors | head -1)" = "Monitors: 2" ] && return
        sleep 0.1
    done
    echo "Xorg on $DISPLAY did not report two monitors" >&2
    return 1
}

dravik_stop_two_monitors() {
    if [ -n "$DRAVIK_XORG_PID" ]; then
        kill "$DRAVIK_XORG_PID" 2>/dev/null && wait "$DRAVIK_XORG_PID" 2>/dev/null
        DRAVIK_XORG_PID=
    fi
    if [ -n "$DRAVIK_XORG_DIR" ]; then rm -rf "$DRAVIK_XORG_DIR"; fi
    DRAVIK_XORG_DIR=
}

# The two-monitor prefix: no virtual desktop, so Wine's desktop spans the
# whole X screen and shows each X output as a monitor of its own.
dravik_use_two_monitor_prefix() {
    export WINEPREFIX=${DRAVIK_WINEPREFIX:-$HOME/.cache/dravik/wine}-monitors
    dravik_prepare_prefix whole-screen
}

dravik_stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$DRAVIK_XVFB_PID" ]; then kill "$DRAVIK_XVFB_PID" 2>/dev/null || true; fi
}
