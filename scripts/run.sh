#!/usr/bin/env bash
# Builds Dravik and starts the ruler under Wine. Without a display it starts a
# virtual one, saves a screenshot of the running program and says where.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DRAVIK_BUILD_DIR:-$repo/build}
export DRAVIK_BUILD_DIR=$out

"$repo/scripts/setup.sh" >/dev/null
"$repo/scripts/build.sh" windows >/dev/null

had_display=1
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then had_display=0; fi
# shellcheck source=wine-env.sh
source "$repo/scripts/wine-env.sh"
dravik_start_display
dravik_prepare_prefix
cd "$out/x86_64/bin"
if ((had_display)); then
    exec wine Dravik.exe "$@"
fi
trap dravik_stop_wine EXIT
wine Dravik.exe "$@" &
sleep "${DRAVIK_SHOT_DELAY:-5}"
xdotool mousemove 520 230
sleep 1
shot=$out/dravik-screenshot.png
import -window root "$shot"
echo "Dravik is running on the virtual display $DISPLAY; screenshot: $shot"
echo "Press Ctrl+C to end it."
wait
