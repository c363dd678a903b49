# Sourced by the build scripts: a compiler cache shared by every build and
# kept across runs (launcher holds the CMake arguments, empty without ccache).
# Paths are hashed relative to the checkout, so a fresh clone in another
# folder (as CI makes one) still finds what an earlier clone compiled.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=$repo CCACHE_NOHASHDIR=1
fi
