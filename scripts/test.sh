#!/bin/sh
# Builds everything, then runs every test: native ones under the sanitizers,
# Windows ones under Wine (both an English and a Russian locale).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${KELVANE_BUILD:-$ROOT/build}"
JOBS=$(nproc 2>/dev/null || echo 2)

"$ROOT/scripts/build.sh"

status=0
ctest --test-dir "$BUILD/native" -j "$JOBS" --output-on-failure || status=1
ctest --test-dir "$BUILD/win64" -j "$JOBS" --output-on-failure || status=1

# Wine's loader is a 32-bit Linux program. A kernel built or booted without
# its 32-bit emulation cannot start it; then the Windows tests cannot run on
# this machine at all, and we say so instead of reporting their failure.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "test: 32-BIT WINDOWS TESTS NOT RUN (the DLL, the test host): this kernel" >&2
    echo "test: does not run 32-bit programs (ia32 emulation is off); only 64-bit Wine ran." >&2
    exit $status
fi

# Create the Wine prefix and start its server before tests run in parallel.
"$ROOT/scripts/wine-run" cmd /c exit >/dev/null 2>&1 || true
ctest --test-dir "$BUILD/win" -j "$JOBS" --output-on-failure || status=1
exit $status
