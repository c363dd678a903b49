#!/usr/bin/env bash
# Builds the distribution artefacts from the Windows x86_64 build into
# build/dist/:
#   Dravik-<version>-setup.exe     installer (makensis, 64-bit stub)
#   Dravik-<version>-portable.zip  folder Dravik-<version>/ with the program,
#                                  the help file and the portable marker Dravik.ini
# The version comes from src/util/Version.h. Run scripts/build.sh windows first.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DRAVIK_BUILD_DIR:-$repo/build}
bin=$out/x86_64/bin
dist=$out/dist

read_define() { sed -n "s/^#define $1 \\([0-9]*\\)\$/\\1/p" "$repo/src/util/Version.h"; }
major=$(read_define DRAVIK_VERSION_MAJOR)
minor=$(read_define DRAVIK_VERSION_MINOR)
if [ -z "$major" ] || [ -z "$minor" ]; then
    echo "dist: no version numbers in src/util/Version.h" >&2
    exit 1
fi
version=$major.$minor

for f in Dravik.exe zephal.dll Hilfe.chm; do
    if [ ! -f "$bin/$f" ]; then
        echo "dist: $bin/$f is missing (build it first: scripts/build.sh windows builds the program and the help file)" >&2
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
cp "$bin/Dravik.exe" "$bin/zephal.dll" "$bin/Hilfe.chm" "$folder/"
# UTF-16 LE with BOM, an empty [Settings] section, Windows line ends.
printf '\xff\xfe' >"$folder/Dravik.ini"
printf '[Settings]\r\n' | iconv -f UTF-8 -t UTF-16LE >>"$folder/Dravik.ini"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "Dravik-$version")

ls -l "$setup" "$zip"
