#!/usr/bin/env bash
# Builds libcurl (Schannel, HTTP only) and pugixml as static libraries for a
# MinGW-w64 toolchain from Debian's source packages, and caches the result
# outside the build tree so a rebuild of Dravik never recompiles them.
#
#   scripts/build-win-deps.sh [x86_64|i686]      (default x86_64)
#   prefix=$(scripts/build-win-deps.sh x86_64 | tail -1)
#
# The prefix (include/, lib/) is the last line on stdout; progress goes to
# stderr. The cache base is $DRAVIK_DEPS_CACHE (default /var/cache/dravik-deps),
# one folder per toolchain and library version:
#   <base>/<triple>-gcc<ver>-curl<ver>-pugixml<ver>/
# A folder exists only once complete: it is staged next to its final place and
# renamed into it, so an interrupted build leaves no half cache behind.
set -euo pipefail

arch=${1:-x86_64}
case $arch in
x86_64 | i686) ;;
*)
    echo "usage: $0 [x86_64|i686]" >&2
    exit 2
    ;;
esac

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
triple=$arch-w64-mingw32
toolchain_file=$repo/cmake/mingw.cmake
cache_base=${DRAVIK_DEPS_CACHE:-/var/cache/dravik-deps}
deb_src_file=/etc/apt/sources.list.d/dravik-deb-src.sources
# Bumped when the way the libraries are configured changes, so old caches are not reused.
recipe=1

log() { printf 'build-win-deps: %s\n' "$*" >&2; }
die() {
    log "error: $*"
    exit 1
}

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        die "needs root for: $*"
    fi
}

# deb-src entries mirroring the machine's own deb entries, so sources come from
# the same mirror the machine already uses.
derived_deb_src() {
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [[ -e $f && $f != "$deb_src_file" ]] || continue
        # deb822: each stanza that lists "deb" becomes a deb-src stanza.
        awk '
            BEGIN { RS = ""; ORS = "\n\n" }
            /(^|\n)Types:[^\n]*[ \t]deb([ \t]|\n|$)/ {
                sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print
            }' "$f"
    done
    local legacy
    for legacy in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [[ -e $legacy ]] || continue
        # One-line format: "deb [opts] URI suite comps" -> the same in deb822.
        awk '
            $1 == "deb" {
                opts = ""; i = 2
                if ($2 ~ /^\[/) { while ($i !~ /\]$/) { opts = opts " " $i; i++ } opts = opts " " $i; i++ }
                uri = $i; suite = $(i + 1); comps = ""
                for (j = i + 2; j <= NF; j++) comps = comps " " $j
                printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents:%s\n", uri, suite, comps
                if (opts ~ /signed-by=/) { match(opts, /signed-by=[^] ]+/); printf "Signed-By: %s\n", substr(opts, RSTART + 10, RLENGTH - 10) }
                printf "\n"
            }' "$legacy"
    done
}

# Newest version of a source package that apt knows about (empty if none).
source_version() {
    local best="" v
    while read -r v; do
        if [[ -z $best ]] || dpkg --compare-versions "$v" gt "$best"; then best=$v; fi
    done < <(apt-cache showsrc --only-source "$1" 2>/dev/null | sed -n 's/^Version: //p')
    printf '%s' "$best"
}

apt_update() {
    # Another engineer's apt may hold the lists lock for a while: wait for it.
    local try
    for try in 1 2 3 4 5 6; do
        if as_root apt-get -q -o DPkg::Lock::Timeout=120 update >&2; then return 0; fi
        log "apt-get update failed (try $try), retrying"
        sleep 10
    done
    die "apt-get update keeps failing"
}

ensure_source_index() {
    local wanted
    wanted=$(derived_deb_src)
    [[ -n $wanted ]] || die "no deb entry in /etc/apt to derive a deb-src entry from"
    wanted="# Written by Dravik's scripts/build-win-deps.sh: deb-src twin of the machine's deb entries.
$wanted"
    local changed=0
    if [[ ! -f $deb_src_file ]] || [[ $(cat "$deb_src_file") != "$wanted" ]]; then
        log "writing $deb_src_file"
        printf '%s\n' "$wanted" | as_root tee "$deb_src_file" >/dev/null
        changed=1
    fi
    if [[ $changed -eq 1 || -z $(source_version curl) || -z $(source_version pugixml) ]]; then
        log "apt-get update (source index)"
        apt_update
    fi
}

command -v "$triple-g++-posix" >/dev/null || die "$triple-g++-posix missing (apt-get install g++-mingw-w64-${arch/_/-})"
for tool in cmake ninja dpkg-source apt-get; do
    command -v $tool >/dev/null || die "$tool missing"
done

ensure_source_index
curl_ver=$(source_version curl)
pugixml_ver=$(source_version pugixml)
[[ -n $curl_ver && -n $pugixml_ver ]] || die "apt knows no source package for curl or pugixml"
gcc_pkg=g++-mingw-w64-${arch/_/-}-posix
gcc_ver=$(dpkg-query -W -f='${Version}' "$gcc_pkg" 2>/dev/null || "$triple-g++-posix" -dumpfullversion)

# Epochs ("1:") would put a colon into the path.
key="$triple-gcc${gcc_ver//:/_}-curl${curl_ver//:/_}-pugixml${pugixml_ver//:/_}"
[[ $recipe -eq 1 ]] || key+="-r$recipe"
prefix=$cache_base/$key
stamp=$prefix/.dravik-deps-complete

if [[ -f $stamp ]]; then
    log "cached: $prefix"
    echo "$prefix"
    exit 0
fi

as_root mkdir -p "$cache_base"
[[ -w $cache_base ]] || as_root chown "$(id -u):$(id -g)" "$cache_base"

# One build per cache folder at a time; a second caller waits and then finds it done.
exec 9>"$cache_base/.$key.lock"
if ! flock -n 9; then
    log "another build of $key is running, waiting"
    flock 9
fi
if [[ -f $stamp ]]; then
    log "cached: $prefix"
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/dravik-deps.XXXXXX")
buildlog=$work/build.log
stage=$prefix.tmp
cleanup() {
    local rc=$?
    if [[ $rc -ne 0 && -f $buildlog ]]; then
        log "failed; last lines of the build log:"
        tail -n 60 "$buildlog" >&2 || true
    fi
    rm -rf "$work" "$stage"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

run() {
    if ! "$@" >>"$buildlog" 2>&1; then
        die "command failed: $*"
    fi
}

started=$SECONDS
log "building $key"
rm -rf "$stage" "$prefix"

# apt-get source drops privileges to the _apt user when it can: give it a folder it may write.
mkdir -p "$work/src"
chmod 755 "$work"
chmod 777 "$work/src"
log "fetching sources curl=$curl_ver pugixml=$pugixml_ver"
(cd "$work/src" && run apt-get -q source --download-only "curl=$curl_ver" "pugixml=$pugixml_ver")
run dpkg-source -x "$work/src/curl_${curl_ver#*:}.dsc" "$work/curl"
run dpkg-source -x "$work/src/pugixml_${pugixml_ver#*:}.dsc" "$work/pugixml"

# Installed with DESTDIR so the files (pkg-config, CMake configs) name the final
# prefix, while landing in the staging folder on the same file system.
configure_build_install() {
    local name=$1 src=$2
    shift 2
    log "building $name"
    run cmake -S "$src" -B "$work/build-$name" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DDRAVIK_ARCH="$arch" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_INSTALL_LIBDIR=lib \
        -DBUILD_SHARED_LIBS=OFF \
        "$@"
    run cmake --build "$work/build-$name" -j2
    run env DESTDIR="$stage" cmake --install "$work/build-$name"
}

configure_build_install curl "$work/curl" \
    -DCURL_USE_SCHANNEL=ON \
    -DCURL_USE_OPENSSL=OFF \
    -DHTTP_ONLY=ON \
    -DBUILD_CURL_EXE=OFF \
    -DBUILD_TESTING=OFF \
    -DENABLE_MANUAL=OFF \
    -DCURL_USE_LIBSSH2=OFF \
    -DUSE_LIBIDN2=OFF \
    -DUSE_NGHTTP2=OFF \
    -DCURL_ZLIB=OFF \
    -DCURL_BROTLI=OFF \
    -DCURL_ZSTD=OFF \
    -DENABLE_UNICODE=ON

# Narrow-char mode (the default): Dravik converts at the boundary with pugi::as_wide.
configure_build_install pugixml "$work/pugixml" \
    -DPUGIXML_WCHAR_MODE=OFF \
    -DPUGIXML_BUILD_TESTS=OFF

installed=$stage$prefix
for lib in libcurl.a libpugixml.a; do
    [[ -f $installed/lib/$lib ]] || die "expected $lib was not installed (found: $(ls "$installed/lib"))"
done
[[ -f $installed/include/curl/curl.h && -f $installed/include/pugixml.hpp ]] || die "headers missing"

cat >"$installed/.dravik-deps-complete" <<EOF
triple=$triple
toolchain=$gcc_pkg $gcc_ver
curl=$curl_ver
pugixml=$pugixml_ver
recipe=$recipe
built=$(date -u +%Y-%m-%dT%H:%M:%SZ)
seconds=$((SECONDS - started))
EOF
mv "$installed" "$prefix"
log "done in $((SECONDS - started)) s: $prefix"
echo "$prefix"
