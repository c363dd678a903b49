#!/usr/bin/env bash
# Keeps the layers of src/ apart:
#  - only win/ folders and the hook library talk to the platform (<windows.h>
#    and the other SDK headers);
#  - util/ is the ground floor: it includes no subsystem;
#  - the portable core never includes a win/ header.
# Prints every offending line and fails if there is one.
set -uo pipefail
src=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src}
cd "$src" || exit 2

sdk='windows|winuser|wingdi|winbase|winreg|commctrl|commdlg|shellapi|shlobj|shlwapi|objbase|ole2|wincodec|mmsystem|uxtheme|dwmapi|wininet|winhttp|htmlhelp'
bad=0
report() { # report RULE LINES
    [ -z "$2" ] && return
    printf '%s\n%s\n' "$1" "$2" | sed '2,$s/^/  /'
    bad=1
}

files=$(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort)
core=$(grep -v -E '(^|/)win/|^hook/' <<<"$files")
util=$(grep -E '^util/' <<<"$files")

report "Platform headers outside win/ and hook/:" \
    "$(xargs -r grep -nHiE "^\s*#\s*include\s*<($sdk)\.h>" <<<"$core")"
report "util/ includes a subsystem:" \
    "$(xargs -r grep -nHE '^\s*#\s*include\s*"' <<<"$util" | grep -vE '#\s*include\s*"util/')"
report "Portable core includes a win/ header:" \
    "$(xargs -r grep -nHE '^\s*#\s*include\s*"[^"]*/win/' <<<"$core")"

((bad == 0)) && echo "layers hold ($(wc -l <<<"$files") files)"
exit $bad
