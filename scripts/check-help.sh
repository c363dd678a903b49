#!/usr/bin/env bash
# Checks the built help file with chmls:
#   scripts/check-help.sh BIN_FOLDER
# - every id of resources/help/HelpIds.h maps to a topic file inside Hilfe.chm,
# - every contents and index entry points at a file inside Hilfe.chm,
# - the help names every caption of the ruler's menu (the hidden "Twip" aside),
# - every source page as text (scripts/check-help-pages.py): it parses as HTML,
#   has no stray entity fragment nor a word twice in a row, passes the German
#   spelling check with the project's word list (scripts/help-words.txt), and
#   the overview links every page.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
chm=${1:?usage: $0 BIN_FOLDER}/Hilfe.chm
[ -s "$chm" ] || { echo "check-help: FAIL: $chm is missing" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmls -n -p list "$chm" 2>/dev/null | sed -n 's|^ */|/|p' | sort -u >"$work/files"
cp "$chm" "$work/Hilfe.chm"
(cd "$work" && chmls extractalias Hilfe.chm >/dev/null 2>&1)
chmls extractall "$chm" "$work/x" >/dev/null 2>&1
fail=0
bad() { echo "check-help: FAIL: $*" >&2; fail=1; }
while read -r _ name value; do
    page=$(sed -n "s|^helpid$value=||p" "$work/Hilfe.ali" | tr -d '\r')
    if [ -z "$page" ]; then
        bad "$name ($value) has no topic in the context table"
    elif ! grep -qxF "$page" "$work/files"; then
        bad "$name ($value) maps to $page, which is not in Hilfe.chm"
    fi
done < <(grep -E '^#define IDH_' "$repo/resources/help/HelpIds.h")
for f in Hilfe.hhc Hilfe.hhk; do
    [ -f "$work/x/$f" ] || { bad "$f is not in Hilfe.chm"; continue; }
    n=0
    while read -r local; do
        n=$((n + 1))
        grep -qxF "/$local" "$work/files" || bad "$f entry points at $local, which is not in Hilfe.chm"
    done < <(sed -n 's|.*name="Local" value="\([^"#]*\).*|\1|p' "$work/x/$f")
    [ "$n" -gt 0 ] || bad "$f has no entries"
done
python3 - "$repo/src/ruler/win/RulerCommands.cpp" "$work/x" <<'PY' || fail=1
import glob, html, re, sys
src = open(sys.argv[1], encoding="utf-8").read()
captions = [c for c in re.findall(r'\.Caption = L"([^"]+)"', src) if c != "Twip"]
text = ""
for f in glob.glob(sys.argv[2] + "/*.htm"):
    text += html.unescape(re.sub(r"<[^>]+>", " ", open(f, encoding="cp1252").read()))
missing = [c for c in captions if c not in text]
for c in missing:
    print(f'check-help: FAIL: the menu caption "{c}" is not named in the help', file=sys.stderr)
sys.exit(1 if missing else 0)
PY
python3 "$repo/scripts/check-help-pages.py" "$repo/resources/help" "$repo/scripts/help-words.txt" || fail=1
[ "$fail" = 0 ] || { echo "check-help: Hilfe.chm FAILED the checks above" >&2; exit 1; }
echo "check-help: $(grep -c '^#define IDH_' "$repo/resources/help/HelpIds.h") ids, contents, index and menu captions OK"
