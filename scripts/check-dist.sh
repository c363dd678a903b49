#!/usr/bin/env bash
# Tries build/dist's installer and zip in a fresh Wine prefix as a user would:
# - an upgrade: a build of an older version (made here with another version
#   number and a program file of its own) installed over an install with an
#   uninstall entry of the old form (one per version), into its folder;
#   cancelling the new installer's first page leaves the running ruler
#   running; the silent install into a folder of the user's choice then closes
#   it, removes the older files, leaves one uninstall entry and the user's
#   settings, and starts the ruler again through the desktop shell; the
#   Start-menu link; the next install goes into the remembered folder and
#   starts no ruler that was not running;
# - the installed and the unpacked portable ruler started and closed, each
#   saving where it should;
# - a silent uninstall while the ruler runs (the settings stay), an install
#   through its pages with "Dravik starten" ticked, and an uninstall through
#   its pages with "Einstellungen löschen" ticked while the ruler runs (the
#   settings go);
# - all that as a German user, whose installer is German as it always was;
#   then a French user's silent install and uninstall, in English: English
#   Start-menu links (the help link opening Help.chm) in place of the German
#   ones.
# Exit codes of the NSIS programs say little under Wine: files are checked.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DRAVIK_BUILD_DIR:-$repo/build}
major=$(sed -n 's/^#define DRAVIK_VERSION_MAJOR \([0-9]*\)$/\1/p' "$repo/src/util/Version.h")
minor=$(sed -n 's/^#define DRAVIK_VERSION_MINOR \([0-9]*\)$/\1/p' "$repo/src/util/Version.h")
version=$major.$minor
older=$((major - 1)).9
bin=$out/x86_64/bin
setup=$out/dist/Dravik-$version-setup.exe
zip=$out/dist/Dravik-$version-portable.zip
for f in "$setup" "$zip"; do
    [ -f "$f" ] || { echo "check-dist: $f is missing (run scripts/dist.sh)" >&2; exit 1; }
done
for f in CloseRuler.exe SetupDriver.exe; do
    [ -f "$bin/$f" ] || { echo "check-dist: $bin/$f is missing (run scripts/build.sh windows)" >&2; exit 1; }
done

export DRAVIK_WINEPREFIX
DRAVIK_WINEPREFIX=$(mktemp -d /tmp/dravik-dist-XXXXXX)
work=$(mktemp -d /tmp/dravik-dist-work-XXXXXX)
# shellcheck source=wine-env.sh
source "$repo/scripts/wine-env.sh"
cleanup() { dravik_stop_wine; rm -rf "$DRAVIK_WINEPREFIX" "$work"; }
trap cleanup EXIT

# The older version: the same script with another version number, and a
# program file that differs from this build's (bytes after the image, which
# Windows does not read), so its files can be told from the new ones.
mkdir -p "$work/older-bin"
cp "$bin/Dravik.exe" "$bin/zephal.dll" "$bin/Hilfe.chm" "$bin/Help.chm" "$work/older-bin/"
printf 'Dravik %s' "$older" >>"$work/older-bin/Dravik.exe"
DRAVIK_DIST_VERSION=$older DRAVIK_DIST_BIN=$work/older-bin DRAVIK_DIST_DIR=$work/older \
    "$repo/scripts/dist.sh" >/dev/null || { echo "check-dist: the older version's installer was not built" >&2; exit 1; }

dravik_start_display
dravik_prepare_prefix
# The installer chooses its language by Windows' user interface language,
# which Wine takes from the locale (it need not be installed on this machine):
# a German user's unless ui_locale says otherwise. Through env, so that bash
# itself does not try to switch to a locale it may not have.
ui_locale=de_DE.UTF-8
wine() { env LC_ALL="$ui_locale" wine "$@"; }

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
chosen='C:\Werkzeuge\Dravik'
inst=$drive/Werkzeuge/Dravik
default_inst="$drive/Program Files/Morvane/Dravik"
links="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Morvane Dravik"
start_menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Morvane Dravik'
uninst='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
key="$uninst\\Morvane Dravik"
old_key="$uninst\\Morvane Dravik 1.8"
present() { [ -f "$1" ]; }
absent() { [ ! -e "$1" ]; }
same() { cmp -s "$1" "$2"; }
reg_value_has() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | grep -q "$2"; }
# Now and then one `wine reg query` of a value that is there comes back
# empty: a failed read is asked again before it counts.
reg_has() { wait_for 5 reg_value_has "$@"; }
no_key() { ! wine reg query "$1" >/dev/null 2>&1; }
# The product's entries under Programs and Features, of either form.
entries() { wine reg query "$uninst" 2>/dev/null | tr -d '\r' | grep -c '\\Morvane Dravik'; }
one_entry() { [ "$(entries)" = 1 ]; }
no_entry() { [ "$(entries)" = 0 ]; }
appdata=$drive/users/${USER:-$(id -un)}/AppData/Roaming/Morvane/Dravik
ini_has() { # ini_has FILE LINE...: the UTF-16 LE settings file (with BOM) holds
    # a line matching each extended regular expression
    local text line
    [ "$(head -c 2 "$1" 2>/dev/null | od -An -tx1 | tr -d ' ')" = fffe ] || return 1
    text=$(iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r') || return 1
    for line in "${@:2}"; do grep -qxE -- "$line" <<<"$text" || return 1; done
}
utf16_ini() { # utf16_ini FILE LINE...: writes a settings file as the program does
    mkdir -p "$(dirname "$1")"
    { printf '\xff\xfe'; printf '%s\r\n' "${@:2}" | iconv -f UTF-8 -t UTF-16LE; } >"$1"
}
# The helpers with Wine's own errors shown: should one fail to start or die,
# the log says why.
closer() { WINEDEBUG=-all,err+all wine 'C:\CloseRuler.exe' "$@"; }
driver() { WINEDEBUG=-all,err+all wine 'C:\SetupDriver.exe' "$@"; }
ruler_pid=
start_ruler() { # start_ruler WINDOWS_PATH: in the background; waits for its window
    wine "$1" >/dev/null 2>&1 &
    ruler_pid=$!
    closer wait 20
}
# As "Beenden" does: WM_CLOSE. Once in many runs Wine's first close came
# back unanswered with the ruler still up; a user would simply close it again.
close_ruler() { closer close 20 || closer close 20; }
ruler_gone() { ! kill -0 "$ruler_pid" 2>/dev/null; }
ruler_running() { kill -0 "$ruler_pid" 2>/dev/null && closer wait 2; }
no_ruler() { closer wait 3 2>/dev/null; [ $? -eq 2 ]; }
link_target_is() { [ "$(driver link "$1" | tr -d '\r')" = "$2" ]; }
run_setup() { wine "$@" >/dev/null 2>&1; } # returns when the installer has ended

start=$SECONDS
cp "$setup" "$drive/setup.exe"
cp "$work/older/Dravik-$older-setup.exe" "$drive/older-setup.exe"
cp "$bin/CloseRuler.exe" "$bin/SetupDriver.exe" "$drive/"
# No question on any start: the update bookkeeping (read from HKLM, where it
# can be created) has the automatic check off, and the server address leads
# nowhere should one run.
wine reg add 'HKLM\Software\Morvane\Common\DVK\UpdateCheck' /v Interval /d aaiDisabled /f >/dev/null
wine reg add 'HKCU\Software\Morvane\Dravik' /v ServerURL /d http://127.0.0.1:9 /f >/dev/null

echo "upgrade from $older to $version"
# An install of the old form, one entry per version, in a folder of its own:
# the older version's installer takes its folder and replaces its entry.
mkdir -p "$drive/Alt/Dravik"
for f in Dravik.exe zephal.dll Hilfe.chm Uninstall.exe; do echo old >"$drive/Alt/Dravik/$f"; done
wine reg add "$old_key" /v DisplayName /d 'Morvane Dravik 1.8' /f >/dev/null
wine reg add "$old_key" /v InstallLocation /d 'C:\Alt\Dravik' /f >/dev/null
wine reg add "$old_key" /v UninstallString /d '"C:\Alt\Dravik\Uninstall.exe"' /f >/dev/null
run_setup 'C:\older-setup.exe' /S
check "older version installed into the old form's folder" wait_for 30 same "$drive/Alt/Dravik/Dravik.exe" "$work/older-bin/Dravik.exe"
check "older version's entry" reg_has DisplayVersion "REG_SZ *$older$"
check "the old form's entry replaced" one_entry
utf16_ini "$appdata/Settings.ini" '[Settings]' 'MoveHotKeyMoveBy=7'
check "older ruler opens" start_ruler 'C:\Alt\Dravik\Dravik.exe'
older_pid=$ruler_pid

wine 'C:\setup.exe' >/dev/null 2>&1 &
check "cancel on the installer's first page" driver cancel 30
check "cancel left the ruler running" ruler_running

# The user picks another folder this time.
run_setup 'C:\setup.exe' /S "/D=$chosen"
ruler_pid=$older_pid
check "silent install closed the running ruler" wait_for 10 ruler_gone
check "new files in the chosen folder" wait_for 30 same "$inst/Dravik.exe" "$bin/Dravik.exe"
for f in zephal.dll Hilfe.chm Help.chm Uninstall.exe; do check "installed $f" present "$inst/$f"; done
check "no Dravik.ini installed" absent "$inst/Dravik.ini"
check "the older version's files removed" absent "$drive/Alt/Dravik"
check "one uninstall entry" one_entry
check "the old form's entry gone" no_key "$old_key"
check "entry DisplayName" reg_has DisplayName "^ *DisplayName *REG_SZ *Morvane Dravik$"
check "entry DisplayVersion" reg_has DisplayVersion "REG_SZ *$version$"
check "entry InstallLocation" reg_has InstallLocation 'Werkzeuge\\Dravik$'
check "entry Publisher" reg_has Publisher Morvane
check "entry UninstallString" reg_has UninstallString 'Werkzeuge\\Dravik\\Uninstall.exe"$'
check "entry QuietUninstallString" reg_has QuietUninstallString 'Uninstall.exe" /S'
for l in Dravik.lnk Dravik-Hilfe.lnk "Dravik deinstallieren.lnk"; do check "link $l" present "$links/$l"; done
check "no English links on a German system" absent "$links/Dravik Help.lnk"
check "the help link opens Hilfe.chm" link_target_is "$start_menu\\Dravik-Hilfe.lnk" "$chosen\\Hilfe.chm"
check "Start-menu link starts the installed ruler" \
    link_target_is "$start_menu\\Dravik.lnk" "$chosen\\Dravik.exe"
check "the ruler closed by the installer started again by the desktop shell" closer user 30

# The installed ruler saves into AppData, and the user's settings survived.
check "installed ruler closes" close_ruler
check "settings kept and saved to AppData" ini_has "$appdata/Settings.ini" '\[Settings\]' 'Left=-?[0-9]+' 'MoveHotKeyMoveBy=7'
check "installed ruler wrote no Dravik.ini" absent "$inst/Dravik.ini"
# The next install, without a folder named, goes where the last one went.
run_setup 'C:\setup.exe' /S
check "the next install into the remembered folder" same "$inst/Dravik.exe" "$bin/Dravik.exe"
check "nothing in the default folder" absent "$default_inst"
check "a silent install starts no ruler that was not running" no_ruler

echo "portable zip"
# The portable copy keeps its settings in its own Dravik.ini, away from AppData.
rm -f "$appdata/Settings.ini"
mkdir -p "$drive/Portable"
(cd "$drive/Portable" && cmake -E tar xf "$zip")
portable=$drive/Portable/Dravik-$version
check "the zip's Dravik.ini is empty" bash -c "[ -f '$portable/Dravik.ini' ] && [ ! -s '$portable/Dravik.ini' ]"
check "portable ruler opens" start_ruler "C:\\Portable\\Dravik-$version\\Dravik.exe"
check "portable ruler closes" close_ruler
check "portable ruler saved to its Dravik.ini" ini_has "$portable/Dravik.ini" '\[Settings\]' 'Left=-?[0-9]+' 'Top=-?[0-9]+'
check "portable ruler left AppData alone" absent "$appdata/Settings.ini"

echo "uninstall while the ruler runs, settings kept"
check "installed ruler opens" start_ruler "$chosen\\Dravik.exe"
utf16_ini "$appdata/Settings.ini" '[Settings]' 'MoveHotKeyMoveBy=7'
echo user >"$inst/Dravik.ini"
run_setup "$chosen\\Uninstall.exe" /S
# The uninstaller copies itself to %TEMP% and returns at once: poll.
check "silent uninstall closed the ruler" wait_for 30 ruler_gone
# It removes the files, then the links, then the entry: each is waited for.
wait_for 60 absent "$inst/Dravik.exe"
wait_for 30 absent "$inst/Uninstall.exe"
for f in Dravik.exe zephal.dll Hilfe.chm Help.chm Uninstall.exe; do check "removed $f" absent "$inst/$f"; done
check "links removed" wait_for 30 absent "$links"
check "uninstall entry removed" wait_for 30 no_key "$key"
check "AppData Settings.ini kept" present "$appdata/Settings.ini"
check "Dravik.ini beside the exe kept" present "$inst/Dravik.ini"

echo "installs without a running ruler, uninstall through the pages"
run_setup 'C:\setup.exe' /S
check "silent install into the default folder" wait_for 30 present "$default_inst/Uninstall.exe"
wine 'C:\setup.exe' >/dev/null 2>&1 &
check "install through its pages, \"Dravik starten\" ticked" driver install 60
check "\"Dravik starten\" started the ruler through the desktop shell" closer user 30
wine 'C:\Program Files\Morvane\Dravik\Uninstall.exe' >/dev/null 2>&1 &
check "uninstall through its pages, \"Einstellungen löschen\" ticked" driver uninstall 60
check "the uninstaller closed the ruler" no_ruler
check "removed Dravik.exe" wait_for 30 absent "$default_inst/Dravik.exe"
check "\"Einstellungen löschen\" removed Settings.ini" wait_for 30 absent "$appdata/Settings.ini"
check "no uninstall entry left" wait_for 30 no_entry

echo "a French user: the installer in English"
run_setup 'C:\setup.exe' /S
check "a German install first" wait_for 30 present "$links/Dravik-Hilfe.lnk"
ui_locale=fr_FR.UTF-8
run_setup 'C:\setup.exe' /S
check "English install over it" wait_for 30 present "$links/Dravik Help.lnk"
check "the English help link opens Help.chm" \
    link_target_is "$start_menu\\Dravik Help.lnk" 'C:\Program Files\Morvane\Dravik\Help.chm'
check "English uninstall link" present "$links/Uninstall Dravik.lnk"
for l in Dravik-Hilfe.lnk "Dravik deinstallieren.lnk"; do check "German link $l replaced" absent "$links/$l"; done
check "both help files installed" bash -c "[ -f '$default_inst/Hilfe.chm' ] && [ -f '$default_inst/Help.chm' ]"
run_setup 'C:\Program Files\Morvane\Dravik\Uninstall.exe' /S
check "English uninstall removed the links" wait_for 60 absent "$links"
check "English uninstall removed the help files" wait_for 30 bash -c "[ ! -e '$default_inst/Hilfe.chm' ] && [ ! -e '$default_inst/Help.chm' ]"
check "no uninstall entry left after the English uninstall" wait_for 30 no_entry
echo "install and uninstall check: $((SECONDS - start)) s"
exit $fail
