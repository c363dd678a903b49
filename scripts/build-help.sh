#!/usr/bin/env bash
# Builds a help file with chmcmd:
#   scripts/build-help.sh OUT_FOLDER/Hilfe.chm   the German one, from resources/help
#   scripts/build-help.sh OUT_FOLDER/Help.chm    the English one, from resources/help-en
# (the rows of scripts/help-files.sh). The help ids and their pages come from
# resources/help for both, so both files answer the same context ids.
# chmcmd writes the folder it runs in into the context table ("<folder>/x.htm"),
# which context help on Windows cannot find. So it runs in a staged copy of the
# help folder that is made the root directory (a private mount namespace with
# /usr bound in), and the paths come out as "/x.htm".
# chmcmd also exits 0 on broken links and dropped ids; any "Warning" fails here.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=help-files.sh
source "$repo/scripts/help-files.sh"
out=${1:?usage: $0 OUT_FOLDER/Hilfe.chm|OUT_FOLDER/Help.chm}
help_file_row "$(basename "$out")" || { echo "build-help: no help file is called $(basename "$out") (scripts/help-files.sh)" >&2; exit 1; }
chmcmd=$(readlink -f "$(command -v chmcmd)") || { echo "build-help: chmcmd not found (package fp-utils)" >&2; exit 1; }
projects=("$repo/$help_source"/*.hhp)
[ ${#projects[@]} = 1 ] && [ -f "${projects[0]}" ] || { echo "build-help: $help_source needs exactly one .hhp" >&2; exit 1; }
project=$(basename "${projects[0]}")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -r "$repo/$help_source/." "$stage/"
for f in "${help_shared_files[@]}"; do
    # A copy of its own beside the pages would be a second list that can drift.
    if [ "$repo/$help_source" != "$repo/$(dirname "$f")" ] && [ -e "$stage/$(basename "$f")" ]; then
        echo "build-help: $help_source/$(basename "$f") must not exist: both help files use $f" >&2
        exit 1
    fi
    cp "$repo/$f" "$stage/"
done
mkdir "$stage/usr"
ln -s usr/lib "$stage/lib"
[ -d /usr/lib64 ] && ln -s usr/lib64 "$stage/lib64"
log=$stage/chmcmd.log
(cd "$stage" && unshare -r -m sh -c 'mount --rbind /usr usr && chroot . "$0" "/$1"' "$chmcmd" "$project") >"$log" 2>&1 || {
    cat "$log" >&2
    echo "build-help: chmcmd failed on $help_source/$project" >&2
    exit 1
}
if grep -qi warning "$log"; then
    grep -i warning "$log" >&2
    echo "build-help: chmcmd reported warnings for $help_chm (broken link, missing file or dropped id)" >&2
    exit 1
fi
[ -s "$stage/$help_chm" ] || { cat "$log" >&2; echo "build-help: no $help_chm written ($help_source/$project names another file?)" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
cp "$stage/$help_chm" "$out.tmp" && mv "$out.tmp" "$out"
