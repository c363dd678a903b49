#!/usr/bin/env bash
# Builds the German help file from resources/help with chmcmd.
#   scripts/build-help.sh OUT_FILE
# chmcmd writes the folder it runs in into the context table ("<folder>/x.htm"),
# which context help on Windows cannot find. So it runs in a staged copy of the
# help folder that is made the root directory (a private mount namespace with
# /usr bound in), and the paths come out as "/x.htm".
# chmcmd also exits 0 on broken links and dropped ids; any "Warning" fails here.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:?usage: $0 OUT_FILE}
chmcmd=$(readlink -f "$(command -v chmcmd)") || { echo "build-help: chmcmd not found (package fp-utils)" >&2; exit 1; }
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -r "$repo/resources/help/." "$stage/"
mkdir "$stage/usr"
ln -s usr/lib "$stage/lib"
[ -d /usr/lib64 ] && ln -s usr/lib64 "$stage/lib64"
log=$stage/chmcmd.log
(cd "$stage" && unshare -r -m sh -c 'mount --rbind /usr usr && chroot . "$0" /Hilfe.hhp' "$chmcmd") >"$log" 2>&1 || {
    cat "$log" >&2
    echo "build-help: chmcmd failed" >&2
    exit 1
}
if grep -qi warning "$log"; then
    grep -i warning "$log" >&2
    echo "build-help: chmcmd reported warnings (broken link, missing file or dropped id)" >&2
    exit 1
fi
[ -s "$stage/Hilfe.chm" ] || { cat "$log" >&2; echo "build-help: no Hilfe.chm written" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
cp "$stage/Hilfe.chm" "$out.tmp" && mv "$out.tmp" "$out"
