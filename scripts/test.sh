#!/bin/sh
# Builds everything, then runs every test: native ones under the sanitizers,
# Windows ones under Wine (both an English and a Russian locale).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${KELVANE_BUILD:-$ROOT/build}"
JOBS=$(nproc 2>/dev/null || echo 2)

"$ROOT/scripts/build.sh"

# Create the Wine prefix and start its server before tests run in parallel.
"$ROOT/scripts/wine-run" cmd /c exit >/dev/null 2>&1 || true

status=0
ctest --test-dir "$BUILD/native" -j "$JOBS" --output-on-failure || status=1
ctest --test-dir "$BUILD/win" -j "$JOBS" --output-on-failure || status=1
exit $status
