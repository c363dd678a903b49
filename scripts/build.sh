#!/usr/bin/env bash
# Builds Dravik: the native core with its tests (sanitizers on) and the
# Windows program with its test programs.
#   scripts/build.sh [native|windows|i686|all]   (default all)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
what=${1:-all}
jobs=${DRAVIK_JOBS:-2}
out=${DRAVIK_BUILD_DIR:-$repo/build}

# shellcheck source=ccache-env.sh
source "$repo/scripts/ccache-env.sh"

win_deps() { "$repo/scripts/build-win-deps.sh" "$1" | tail -1; }

build_native() {
    cmake -S "$repo" -B "$out/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDRAVIK_SANITIZE=ON "${launcher[@]}" >/dev/null
    cmake --build "$out/native" -j"$jobs"
}

build_windows() {
    local arch=$1 prefix
    prefix=$(win_deps "$arch")
    cmake -S "$repo" -B "$out/$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw.cmake" -DDRAVIK_ARCH="$arch" \
        -DDRAVIK_WIN_DEPS="$prefix" "${launcher[@]}" >/dev/null
    cmake --build "$out/$arch" -j"$jobs" "${@:2}"
}

case $what in
native) build_native ;;
windows) build_windows x86_64 ;;
i686) build_windows i686 --target Dravik zephal ;;
all)
    build_native
    build_windows x86_64
    ;;
*) echo "usage: $0 [native|windows|i686|all]" >&2; exit 2 ;;
esac
