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

if [ ! -f "$BUILD/native/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$BUILD/native" -j "$JOBS"

if [ ! -f "$BUILD/win/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-mingw.cmake"
fi
cmake --build "$BUILD/win" -j "$JOBS"

