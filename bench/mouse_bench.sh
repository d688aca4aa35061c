#!/bin/sh
# The mouse monitor's cost per event against a bare hook, and a burst of
# input that must lose nothing, on each Wine route this machine has.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVANE_BUILD:-$root/build}
for route in ${KELVANE_ROUTES:-wine32 wow64}; do
    if [ "$route" = wine32 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "$route: skipped (this kernel runs no 32-bit programs)"
        continue
    fi
    echo "$route:"
    KELVANE_WINE=$route "$root/scripts/wine-run" "$build/win/bin/mouse_monitor_bench.exe" "$@"
done
