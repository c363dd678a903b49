#!/usr/bin/env bash
# Installs what building, running and testing Dravik needs on a Debian machine:
# the compilers, Wine, a virtual display, an X server with two monitors (Xorg's
# dummy driver and xrandr) and the libraries. Safe to run again; it only
# installs what is missing. Prints the Windows dependency prefix last.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format
    googletest libgtest-dev libbenchmark-dev
    libcurl4-openssl-dev libpugixml-dev pkg-config
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
    wine64 wine xvfb xdotool imagemagick x11-utils
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
    dpkg-dev python3 openssl ccache fp-utils nsis hunspell hunspell-de-de hunspell-en-us
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}" >&2
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >&2
fi

# libcurl and pugixml for Windows, built from Debian's sources, cached.
"$repo/scripts/build-win-deps.sh" x86_64 | tail -1
