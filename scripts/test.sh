#!/bin/sh
# Builds everything, then runs every test: the native ones under the
# sanitizers, and the 32-bit Windows ones under Wine on every route this
# machine has (scripts/wine-run): Wine 8 where the kernel runs 32-bit
# programs, and Wine 10's WoW64 mode, under the seccomp wrapper that forbids
# 32-bit system calls, everywhere.
#
# Fails when any test fails, and when the 32-bit Windows tests could not run
# on any route: a run that did not test the DLL is not a pass.
#
#   KELVANE_ROUTES  the routes to try (default: "wine32 wow64")
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${KELVANE_BUILD:-$ROOT/build}"
JOBS=$(nproc 2>/dev/null || echo 2)
LOGS="$BUILD/test-logs"

"$ROOT/scripts/build.sh"
mkdir -p "$LOGS"

status=0
summary=""
note() { summary="$summary$1
"; }

# "100% tests passed, 0 tests failed out of 105" -> "105 of 105 passed"
counts() {
    sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests* failed out of \([0-9]*\)$/\1 \2/p' "$1" |
        tail -1 | { read -r failed total && echo "$((total - failed)) of $total passed"; } || echo "no result"
}

ctest --test-dir "$BUILD/native" -j "$JOBS" --output-on-failure 2>&1 | tee "$LOGS/native.log" || true
grep -q "^100% tests passed" "$LOGS/native.log" || status=1
note "native (ASan/UBSan): $(counts "$LOGS/native.log")"

ran=0
for route in ${KELVANE_ROUTES:-wine32 wow64}; do
    if [ "$route" = wine32 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        note "wine32: not run (this kernel runs no 32-bit programs)"
        continue
    fi
    echo "test: 32-bit Windows tests on the $route route"
    # Set the route up (and its prefix and server) before tests run in parallel.
    if ! KELVANE_WINE=$route "$ROOT/scripts/wine-run" cmd /c exit </dev/null >"$LOGS/$route-setup.log" 2>&1; then
        cat "$LOGS/$route-setup.log" >&2
        note "$route: FAILED TO START (see $LOGS/$route-setup.log)"
        status=1
        continue
    fi
    log="$LOGS/$route.log"
    KELVANE_WINE=$route ctest --test-dir "$BUILD/win" -j "$JOBS" --output-on-failure 2>&1 | tee "$log" || true
    if grep -q "^100% tests passed" "$log"; then
        ran=$((ran + 1))
    else
        status=1
    fi
    note "$route: $(counts "$log")"
done

"$ROOT/scripts/wine-run" --stop >/dev/null 2>&1 || true

echo
echo "test: summary"
printf '%s' "$summary" | sed 's/^/test:   /'
if [ "$ran" -eq 0 ]; then
    echo "test: FAILED: the 32-bit Windows tests passed on no route" >&2
    exit 1
fi
exit $status
