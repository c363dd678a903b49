#!/usr/bin/env bash
# Checks the built help files (the rows of scripts/help-files.sh: the German
# Hilfe.chm and the English Help.chm) with chmls:
#   scripts/check-help.sh BIN_FOLDER
# For each file:
# - every id of resources/help/HelpIds.h maps to a topic file inside it,
# - every contents and index entry points at a file inside it,
# - the help names every caption of the ruler's menu in its language (the
#   hidden "Twip" aside),
# - every source page as text (scripts/check-help-pages.py): it parses as HTML,
#   has no stray entity fragment nor a word twice in a row, passes the
#   spelling check of its language with the project's word list, and the
#   overview links every page.
# Across the files: each id opens the same page in each, and they hold the
# same pages, so the program's context help finds its topic in either.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=help-files.sh
source "$repo/scripts/help-files.sh"
bin=${1:?usage: $0 BIN_FOLDER}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
bad() { echo "check-help: FAIL: $*" >&2; fail=1; }

# check_help_file NAME.chm: its checks; leaves its id table (id=page) and its
# pages in $work/NAME.chm/.
check_help_file() {
    help_file_row "$1"
    local chm=$bin/$help_chm dir=$work/$help_chm
    [ -s "$chm" ] || { bad "$chm is missing"; return; }
    mkdir -p "$dir"
    chmls -n -p list "$chm" 2>/dev/null | sed -n 's|^ */|/|p' | sort -u >"$dir/files"
    grep '\.htm$' "$dir/files" >"$dir/pages" || true
    cp "$chm" "$dir/$help_chm"
    (cd "$dir" && chmls extractalias "$help_chm" >/dev/null 2>&1)
    local ali=$dir/${help_chm%.chm}.ali
    if [ -f "$ali" ]; then tr -d '\r' <"$ali" | sort >"$dir/ids"; else : >"$dir/ids"; fi
    chmls extractall "$chm" "$dir/x" >/dev/null 2>&1
    local _ name value page
    while read -r _ name value; do
        page=$(sed -n "s|^helpid$value=||p" "$dir/ids")
        if [ -z "$page" ]; then
            bad "$help_chm: $name ($value) has no topic in the context table"
        elif ! grep -qxF "$page" "$dir/files"; then
            bad "$help_chm: $name ($value) maps to $page, which is not in $help_chm"
        fi
    done < <(grep -E '^#define IDH_' "$repo/resources/help/HelpIds.h")
    local f entry n
    for f in "$dir"/x/*.hhc "$dir"/x/*.hhk; do
        [ -f "$f" ] || { bad "$help_chm has no ${f##*.} file"; continue; }
        n=0
        while read -r entry; do
            n=$((n + 1))
            grep -qxF "/$entry" "$dir/files" || bad "$help_chm: $(basename "$f") entry points at $entry, which is not in $help_chm"
        done < <(sed -n 's|.*name="Local" value="\([^"#]*\).*|\1|p' "$f")
        [ "$n" -gt 0 ] || bad "$help_chm: $(basename "$f") has no entries"
    done
    python3 - "$repo/$help_captions" "$dir/x" "$help_chm" "$help_dict" <<'PY' || fail=1
import glob, html, re, sys
source, pages, chm, dictionary = sys.argv[1:]
text = open(source, encoding="utf-8").read()
# the command rows: a German and an English caption, or one for every language
found = re.findall(r'\.Caption = (?:\{L"([^"]+)", L"([^"]+)"\}|'
                   r'LocalText::Neutral\(L"([^"]+)"\))', text)
english = dictionary.startswith("en")
captions = [(en if english else de) or neutral for de, en, neutral in found]
captions = [c for c in captions if c not in ("Twip", "Twips")]  # hidden
if not captions:
    sys.exit(f"check-help: FAIL: {chm}: no menu captions found in {source}")
help_text = ""
for f in glob.glob(pages + "/*.htm"):
    help_text += html.unescape(re.sub(r"<[^>]+>", " ", open(f, encoding="cp1252").read()))
missing = [c for c in captions if c not in help_text]
for c in missing:
    print(f'check-help: FAIL: {chm}: the menu caption "{c}" is not named in the help', file=sys.stderr)
sys.exit(1 if missing else 0)
PY
    python3 "$repo/scripts/check-help-pages.py" "$repo/$help_source" "$help_dict" "$repo/$help_words" || fail=1
}

names=()
for row in "${help_files[@]}"; do names+=("${row%%|*}"); done
for name in "${names[@]}"; do check_help_file "$name"; done
first=${names[0]}
for name in "${names[@]:1}"; do
    [ -d "$work/$name" ] && [ -d "$work/$first" ] || continue
    for list in ids pages; do
        diff "$work/$first/$list" "$work/$name/$list" >"$work/diff" ||
            bad "$first and $name differ in their $list (< $first, > $name):"$'\n'"$(sed -n 's/^\([<>]\)/  \1/p' "$work/diff")"
    done
done
[ "$fail" = 0 ] || { echo "check-help: the help files FAILED the checks above" >&2; exit 1; }
echo "check-help: ${names[*]}: $(grep -c '^#define IDH_' "$repo/resources/help/HelpIds.h") ids each, the same pages, contents, index and menu captions OK"
