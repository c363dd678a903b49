#!/usr/bin/env bash
# Checks the Windows binaries as Windows will load them: Dravik.exe is a 64-bit
# GUI program that needs no MinGW DLLs and declares per-monitor DPI awareness;
# zephal.dll exports the four hook functions.
#   scripts/check-binaries.sh <bin folder>
set -uo pipefail
bin=${1:?usage: $0 <bin folder>}
objdump=x86_64-w64-mingw32-objdump
failed=0
check() { # check DESCRIPTION COMMAND...
    if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi
}
exe=$bin/Dravik.exe
dll=$bin/zephal.dll
headers=$($objdump -p "$exe")
check "Dravik.exe is PE32+" grep -q "Magic.*020b" <<<"$headers"
check "Dravik.exe is a GUI program" grep -q "Subsystem.*Windows GUI" <<<"$headers"
no_mingw_dlls() { ! grep -iqE 'DLL Name: (libstdc|libgcc|libwinpthread)' <<<"$headers"; }
check "Dravik.exe needs no MinGW runtime DLLs" no_mingw_dlls
# The hook library is loaded at start, so a missing file gets a German message.
no_static_hook_import() { ! grep -q "DLL Name: zephal.dll" <<<"$headers"; }
check "Dravik.exe loads zephal.dll itself (no static import)" no_static_hook_import
check "Dravik.exe names zephal.dll" grep -q "zephal.dll" <<<"$(strings -e l "$exe")"
# Network, certificates, the Internet settings, the common dialogs and COM
# load when a feature first needs them (delay imports), not with the program.
no_start_import_of_deferred() {
    ! grep -iqE 'DLL Name: (ws2_32|crypt32|bcrypt|secur32|wininet|comdlg32|ole32|oleaut32|hhctrl)' <<<"$headers"
}
check "Dravik.exe imports no library a feature loads on first use" no_start_import_of_deferred
# Sections on page boundaries in the file as in memory: Wine then maps the
# image from the file instead of reading it into private memory.
check "Dravik.exe's sections are page-aligned in the file" grep -qE "FileAlignment\s+0*1000$" <<<"$headers"
exports=$($objdump -p "$dll")
for f in InstallHookMouse IsHookSetMouse RemoveHookMouse GetMonitorMouseMoveMsg; do
    check "zephal.dll exports $f" grep -qE "\] $f\$" <<<"$exports"
done
manifest=$(strings -e b "$exe" 2>/dev/null; strings "$exe")
check "manifest declares PerMonitorV2 with PerMonitor fallback" grep -q "PerMonitorV2, PerMonitor" <<<"$manifest"
check "manifest asks for Common Controls 6" grep -q "Microsoft.Windows.Common-Controls" <<<"$manifest"
check "manifest runs asInvoker" grep -q 'level="asInvoker"' <<<"$manifest"
version_texts=$(strings -n 3 -e l "$exe")
version_resource() { grep -qx "Morvane Dravik" <<<"$version_texts" && grep -qx "2.2" <<<"$version_texts"; }
check "version resource names Morvane Dravik 2.2" version_resource
exit $failed
