#!/usr/bin/env bash
# Installs build/dist's installer silently into a fresh Wine prefix and checks
# the installed files, Start-menu links and uninstall entry; then uninstalls
# silently and checks that they are gone and the user's settings stayed.
# Exit codes of the NSIS programs say little under Wine: files are checked.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DRAVIK_BUILD_DIR:-$repo/build}
major=$(sed -n 's/^#define DRAVIK_VERSION_MAJOR \([0-9]*\)$/\1/p' "$repo/src/util/Version.h")
minor=$(sed -n 's/^#define DRAVIK_VERSION_MINOR \([0-9]*\)$/\1/p' "$repo/src/util/Version.h")
version=$major.$minor
setup=$out/dist/Dravik-$version-setup.exe
[ -f "$setup" ] || { echo "check-dist: $setup is missing (run scripts/dist.sh)" >&2; exit 1; }

export DRAVIK_WINEPREFIX
DRAVIK_WINEPREFIX=$(mktemp -d /tmp/dravik-dist-XXXXXX)
# shellcheck source=wine-env.sh
source "$repo/scripts/wine-env.sh"
cleanup() { dravik_stop_wine; rm -rf "$DRAVIK_WINEPREFIX"; }
trap cleanup EXIT
dravik_start_display
dravik_prepare_prefix

fail=0
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then echo "  ok: $what"; else echo "  FAILED: $what"; fail=1; fi
}
wait_for() { # wait_for SECONDS COMMAND...: polls until COMMAND succeeds
    local n=$(($1 * 5))
    shift
    for _ in $(seq "$n"); do "$@" && return 0; sleep 0.2; done
    return 1
}
drive=$WINEPREFIX/drive_c
inst="$drive/Program Files/Morvane/Dravik"
links="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Morvane Dravik"
key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane Dravik $version"
present() { [ -f "$1" ]; }
absent() { [ ! -e "$1" ]; }
reg_has() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | grep -q "$2"; }

start=$SECONDS
cp "$setup" "$drive/setup.exe"
wine 'C:\setup.exe' /S
wait_for 60 present "$inst/Uninstall.exe"
for f in Dravik.exe zephal.dll Hilfe.chm Uninstall.exe; do check "installed $f" present "$inst/$f"; done
check "no Dravik.ini installed" absent "$inst/Dravik.ini"
for l in Dravik.lnk Dravik-Hilfe.lnk "Dravik deinstallieren.lnk"; do check "link $l" present "$links/$l"; done
check "uninstall entry DisplayName" reg_has DisplayName "Morvane Dravik $version"
check "uninstall entry Publisher" reg_has Publisher Morvane
check "uninstall entry DisplayVersion" reg_has DisplayVersion "$version"
check "uninstall entry UninstallString" reg_has UninstallString 'Uninstall.exe'
check "uninstall entry QuietUninstallString" reg_has QuietUninstallString 'Uninstall.exe" /S'

# Settings the user has: both must survive a default uninstall.
appdata=$drive/users/${USER:-$(id -un)}/AppData/Roaming/Morvane/Dravik
mkdir -p "$appdata"
echo user >"$appdata/Settings.ini"
echo user >"$inst/Dravik.ini"

wine 'C:\Program Files\Morvane\Dravik\Uninstall.exe' /S
# The uninstaller copies itself to %TEMP% and returns at once: poll.
wait_for 60 absent "$inst/Dravik.exe"
wait_for 30 absent "$inst/Uninstall.exe"
for f in Dravik.exe zephal.dll Hilfe.chm Uninstall.exe; do check "removed $f" absent "$inst/$f"; done
check "links removed" absent "$links"
check "uninstall entry removed" bash -c "! wine reg query '$key' >/dev/null 2>&1"
check "AppData Settings.ini kept" present "$appdata/Settings.ini"
check "Dravik.ini beside the exe kept" present "$inst/Dravik.ini"
echo "install and uninstall check: $((SECONDS - start)) s"
exit $fail
