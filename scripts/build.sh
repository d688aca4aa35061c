#!/bin/sh
# Builds both trees: the native one (portable core, its tests under ASan and
# UBSan, the fuzzers) and the Windows one (Kelvane.dll, the test host and
# the Windows tests). Installs what is missing first.
#
#   KELVANE_BUILD   build folder (default: ./build)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${KELVANE_BUILD:-$ROOT/build}"
JOBS=$(nproc 2>/dev/null || echo 2)

"$ROOT/scripts/bootstrap.sh"

# Compiler cache (in ~/.cache/ccache; bootstrap installs it): a fresh clone
# builds from it on a machine that built the project before. Paths below the
# checkout are hashed as relative ones, so another clone finds the same
# entries.
LAUNCHER=""
export CCACHE_BASEDIR="$ROOT"
if command -v ccache >/dev/null 2>&1; then
    LAUNCHER="-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi

if [ ! -f "$BUILD/native/CMakeCache.txt" ]; then
    # shellcheck disable=SC2086
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Release $LAUNCHER
fi
cmake --build "$BUILD/native" -j "$JOBS"

if [ ! -f "$BUILD/win/CMakeCache.txt" ]; then
    # shellcheck disable=SC2086
    cmake -S "$ROOT" -B "$BUILD/win" -G Ninja -DCMAKE_BUILD_TYPE=Release $LAUNCHER \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-mingw.cmake"
fi
cmake --build "$BUILD/win" -j "$JOBS"

