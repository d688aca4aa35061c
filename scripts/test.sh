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
#   KELVANE_JOBS    tests run at once (default: the number of cores)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${KELVANE_BUILD:-$ROOT/build}"
JOBS=${KELVANE_JOBS:-$(nproc 2>/dev/null || echo 2)}
LOGS="$BUILD/test-logs"

"$ROOT/scripts/build.sh"
mkdir -p "$LOGS"

status=0
summary=""
parts=""
failed=0
note() { summary="$summary$1
"; }

# "96% tests passed, 4 tests failed out of 105" -> "101 of 105 passed, 4 FAILED";
# the text goes to $result, the number failed to $failed_now.
counts() {
    line=$(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests* failed out of \([0-9]*\)$/\1 \2/p' "$1" | tail -1)
    if [ -z "$line" ]; then
        failed_now=1
        result="no result: CTest did not finish (see $1)"
        return
    fi
    # shellcheck disable=SC2086
    set -- $line
    failed_now=$1
    if [ "$1" -eq 0 ]; then result="$2 of $2 passed"; else result="$(($2 - $1)) of $2 passed, $1 FAILED"; fi
}

# One part of the run: CTest over a build tree, its log and its JUnit file.
run_part() {  # label tree
    rm -f "$LOGS/$1.xml"
    ctest --test-dir "$2" -j "$JOBS" --output-on-failure --output-junit "$LOGS/$1.xml" 2>&1 |
        tee "$LOGS/$1.log" || true
    parts="$parts $1=$LOGS/$1.xml"
    counts "$LOGS/$1.log"
    [ "$failed_now" -eq 0 ] || status=1
    failed=$((failed + failed_now))
}

run_part native "$BUILD/native"
note "native (ASan/UBSan): $result"

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
    export KELVANE_WINE=$route
    run_part "$route" "$BUILD/win"
    unset KELVANE_WINE
    # A route ran when CTest finished its tests there, whatever their results.
    grep -q "tests passed, .* failed out of" "$LOGS/$route.log" && ran=$((ran + 1))
    note "$route: $result"
done

"$ROOT/scripts/wine-run" --stop >/dev/null 2>&1 || true

echo
echo "test: summary"
# shellcheck disable=SC2086
python3 "$ROOT/scripts/test-summary.py" $parts || true
printf '%s' "$summary" | sed 's/^/test:   /'
if [ "$ran" -eq 0 ]; then
    echo "test: FAILED: the 32-bit Windows tests could not run on any route" >&2
    exit 1
fi
if [ "$failed" -gt 0 ]; then
    echo "test: FAILED: $failed tests failed (named above, with the end of their output)" >&2
elif [ $status -ne 0 ]; then
    echo "test: FAILED (see the summary above)" >&2
fi
exit $status
