#!/usr/bin/env bash
# Installs build/dist's installer silently into a fresh Wine prefix and checks
# the installed files, Start-menu links and uninstall entry; starts and closes
# the installed and the unpacked portable ruler and checks where each saved its
# settings; installs again over a running ruler; then uninstalls silently and
# checks that the files are gone and the user's settings stayed.
# Exit codes of the NSIS programs say little under Wine: files are checked.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DRAVIK_BUILD_DIR:-$repo/build}
major=$(sed -n 's/^#define DRAVIK_VERSION_MAJOR \([0-9]*\)$/\1/p' "$repo/src/util/Version.h")
minor=$(sed -n 's/^#define DRAVIK_VERSION_MINOR \([0-9]*\)$/\1/p' "$repo/src/util/Version.h")
version=$major.$minor
setup=$out/dist/Dravik-$version-setup.exe
zip=$out/dist/Dravik-$version-portable.zip
closer=$out/x86_64/bin/CloseRuler.exe
for f in "$setup" "$zip"; do
    [ -f "$f" ] || { echo "check-dist: $f is missing (run scripts/dist.sh)" >&2; exit 1; }
done
[ -f "$closer" ] || { echo "check-dist: $closer is missing (run scripts/build.sh windows)" >&2; exit 1; }

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
    "$@"
    local rc=$?
    if ((rc == 0)); then echo "  ok: $what"; else echo "  FAILED: $what (exit $rc)"; fail=1; fi
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
reg_value_has() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | grep -q "$2"; }
# Now and then one `wine reg query` of a value that is there comes back
# empty: a failed read is asked again before it counts.
reg_has() { wait_for 5 reg_value_has "$@"; }
appdata=$drive/users/${USER:-$(id -un)}/AppData/Roaming/Morvane/Dravik
ini_has() { # ini_has FILE LINE...: the UTF-16 LE settings file (with BOM) holds
    # a line matching each extended regular expression
    local text line
    [ "$(head -c 2 "$1" 2>/dev/null | od -An -tx1 | tr -d ' ')" = fffe ] || return 1
    text=$(iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r') || return 1
    for line in "${@:2}"; do grep -qxE -- "$line" <<<"$text" || return 1; done
}
ruler_pid=
# The helper with Wine's own errors shown: should it fail to start or die,
# the log says why.
closer() { WINEDEBUG=-all,err+all wine 'C:\CloseRuler.exe' "$@"; }
start_ruler() { # start_ruler WINDOWS_PATH: in the background; waits for its window
    wine "$1" >/dev/null 2>&1 &
    ruler_pid=$!
    closer wait 20
}
# As "Beenden" does: WM_CLOSE. Once in many runs Wine's first close came
# back unanswered with the ruler still up; a user would simply close it again.
close_ruler() { closer close 20 || closer close 20; }
ruler_gone() { ! kill -0 "$ruler_pid" 2>/dev/null; }

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

# The installed ruler, started and closed once. Its first start asks nothing:
# the update bookkeeping (read from HKLM, where it can be created) has the
# automatic check off, and the server address leads nowhere should one run.
wine reg add 'HKLM\Software\Morvane\Common\DVK\UpdateCheck' /v Interval /d aaiDisabled /f >/dev/null
wine reg add 'HKCU\Software\Morvane\Dravik' /v ServerURL /d http://127.0.0.1:9 /f >/dev/null
cp "$closer" "$drive/CloseRuler.exe"
exe='C:\Program Files\Morvane\Dravik\Dravik.exe'
check "installed ruler opens" start_ruler "$exe"
check "installed ruler closes" close_ruler
check "installed ruler saved to AppData" ini_has "$appdata/Settings.ini" '\[Settings\]' 'Left=-?[0-9]+'
check "installed ruler wrote no Dravik.ini" absent "$inst/Dravik.ini"

# The portable copy keeps its settings in its own Dravik.ini, away from AppData.
rm -f "$appdata/Settings.ini"
mkdir -p "$drive/Portable"
(cd "$drive/Portable" && cmake -E tar xf "$zip")
portable=$drive/Portable/Dravik-$version
check "portable ruler opens" start_ruler "C:\\Portable\\Dravik-$version\\Dravik.exe"
check "portable ruler closes" close_ruler
check "portable ruler saved to its Dravik.ini" ini_has "$portable/Dravik.ini" '\[Settings\]' 'Left=-?[0-9]+' 'Top=-?[0-9]+'
check "portable ruler left AppData alone" absent "$appdata/Settings.ini"

# Installing over a running ruler closes it first, the way "Beenden" does.
start_ruler "$exe"
rm -f "$inst/Uninstall.exe"
wine 'C:\setup.exe' /S
check "install over a running ruler" wait_for 30 present "$inst/Uninstall.exe"
check "running ruler closed by the installer" wait_for 10 ruler_gone
check "ruler closed by the installer saved" ini_has "$appdata/Settings.ini" '\[Settings\]' 'Left=-?[0-9]+'

# Settings the user has: both must survive a default uninstall.
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
