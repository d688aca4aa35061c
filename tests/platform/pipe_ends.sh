#!/bin/sh
# A caller that reads a Windows program's output to the end must not wait
# for Wine's background programs (the wineserver, services, the desktop),
# which outlive the program: they must not hold the caller's pipe.
#
#   pipe_ends.sh WINE_RUN HOST_EXE
#
# 1. A console program, the route started afresh (wineserver stopped first).
# 2. A program with a window while no desktop program runs, so that this
#    program is the one that starts it, and another keeps the desktop busy:
#    its piped run must end while the other still runs.
set -eu
WINE_RUN=$1
HOST=$2
"$WINE_RUN" --stop
set +e
out=$(timeout 300 sh -c '"$1" cmd /c echo piped-run-ended 2>&1 | cat' sh "$WINE_RUN")
rc=$?
set -e
if [ $rc -eq 124 ]; then
    echo "FAIL: the piped run did not end within 300 s"
    exit 1
fi
case "$out" in
    *piped-run-ended*) echo "the piped run ended ($("$WINE_RUN" --route) route)" ;;
    *) echo "FAIL: unexpected output (status $rc): $out"; exit 1 ;;
esac

# The desktop program closes a second after the last program with a window
# left the desktop (the console run above had none). Only this route's own
# counts: other Wine prefixes on the machine have theirs.
route=$("$WINE_RUN" --route)
cache=${KELVANE_CACHE:-${HOME:-/tmp}/.cache/kelvane}
prefix=$(cd "${KELVANE_WINEPREFIX:-$cache/wine}" 2>/dev/null && pwd || true)
root=$(cd "$cache/wow64/root" 2>/dev/null && pwd -P || true)
desktop_runs() {
    for pid in $(pgrep -f 'explorer.exe /desktop'); do
        if [ "$route" = wow64 ]; then
            [ "$(readlink "/proc/$pid/root")" = "$root" ] && return 0
        else
            tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" && return 0
        fi
    done
    return 1
}
i=0
while desktop_runs; do
    i=$((i + 1))
    [ $i -le 300 ] || { echo "FAIL: Wine's desktop program did not close"; exit 1; }
    sleep 0.1
done

dir=$(mktemp -d)
busy=""
trap 'rm -rf "$dir"; [ -z "$busy" ] || kill "$busy" 2>/dev/null || true' EXIT
printf 'Wait "1000"\nPrint "windowed-run-ended"\n' >"$dir/short.nbs"
printf 'Wait "15000"\n' >"$dir/busy.nbs"
(
    # Once the short run has begun (and with it the desktop program), a
    # second program keeps the desktop busy for 15 s.
    sleep 0.5
    exec "$WINE_RUN" "$HOST" "$dir/busy.nbs" </dev/null >/dev/null 2>&1
) &
busy=$!
out=$(timeout 60 sh -c '"$1" "$2" "$3" 2>&1 | cat' sh "$WINE_RUN" "$HOST" "$dir/short.nbs")
case "$out" in
    *windowed-run-ended*) ;;
    *) echo "FAIL: unexpected output of the windowed run: $out"; exit 1 ;;
esac
if ! kill -0 "$busy" 2>/dev/null; then
    echo "FAIL: the piped windowed run ended only when the desktop emptied:"
    echo "      Wine's desktop program held its pipe"
    exit 1
fi
echo "the piped windowed run ended while another program kept the desktop busy"
