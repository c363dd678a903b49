#!/usr/bin/env bash
# Builds the distribution artefacts from the Windows x86_64 build into
# build/dist/:
#   Dravik-<version>-setup.exe     installer (makensis, 64-bit stub)
#   Dravik-<version>-portable.zip  folder Dravik-<version>/ with the program,
#                                  the help files and the portable marker Dravik.ini
# The version comes from src/util/Version.h. Run scripts/build.sh windows first.
# The distribution check builds an older version's artefacts with the same
# script: DRAVIK_DIST_VERSION (major.minor), DRAVIK_DIST_BIN (the program's
# folder) and DRAVIK_DIST_DIR (where they go) replace the defaults.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DRAVIK_BUILD_DIR:-$repo/build}
bin=${DRAVIK_DIST_BIN:-$out/x86_64/bin}
dist=${DRAVIK_DIST_DIR:-$out/dist}

read_define() { sed -n "s/^#define $1 \\([0-9]*\\)\$/\\1/p" "$repo/src/util/Version.h"; }
if [ -n "${DRAVIK_DIST_VERSION:-}" ]; then
    major=${DRAVIK_DIST_VERSION%%.*}
    minor=${DRAVIK_DIST_VERSION#*.}
else
    major=$(read_define DRAVIK_VERSION_MAJOR)
    minor=$(read_define DRAVIK_VERSION_MINOR)
fi
if ! [[ $major =~ ^[0-9]+$ && $minor =~ ^[0-9]+$ ]]; then
    echo "dist: no version numbers (src/util/Version.h or DRAVIK_DIST_VERSION)" >&2
    exit 1
fi
version=$major.$minor

for f in Dravik.exe zephal.dll Hilfe.chm Help.chm; do
    if [ ! -f "$bin/$f" ]; then
        echo "dist: $bin/$f is missing (build it first: scripts/build.sh windows builds the program and the help files)" >&2
        exit 1
    fi
done
command -v makensis >/dev/null || { echo "dist: makensis is missing (scripts/setup.sh installs nsis)" >&2; exit 1; }

mkdir -p "$dist"
setup=$dist/Dravik-$version-setup.exe
zip=$dist/Dravik-$version-portable.zip
rm -f "$setup" "$zip"

makensis -V2 -WX -INPUTCHARSET UTF8 \
    -DVERSION_MAJOR="$major" -DVERSION_MINOR="$minor" \
    -DBIN_DIR="$bin" -DOUT_FILE="$setup" \
    "$repo/resources/installer/Dravik.nsi"

# The zip: a folder named after the version, with the marker file that makes
# the copy keep its settings beside itself.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder=$stage/Dravik-$version
mkdir -p "$folder"
cp "$bin/Dravik.exe" "$bin/zephal.dll" "$bin/Hilfe.chm" "$bin/Help.chm" "$folder/"
# Empty: the program reads it as a settings file without values and writes
# its settings into it from the first save on.
: >"$folder/Dravik.ini"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "Dravik-$version")

ls -l "$setup" "$zip"
