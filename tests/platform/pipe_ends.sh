#!/bin/sh
# A caller that reads a Windows program's output to the end must not wait
# for Wine's background programs (the wineserver, services, the desktop),
# which outlive the program: they must not hold the caller's pipe. The
# wineserver is stopped first, so this run starts them all afresh.
#
#   pipe_ends.sh WINE_RUN
set -eu
WINE_RUN=$1
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
