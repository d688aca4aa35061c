#!/bin/sh
# Runs the dialog layout test at another screen DPI: sets LogPixels in the
# route's prefix, restarts Wine so that it takes the value, runs the test
# (which checks that the screen shows the DPI the registry asks) and puts
# 96 DPI back whatever happened. It restarts Wine, so it runs alone.
#
#   dpi_layout.sh WINE_RUN TEST_EXE DPI
set -eu
WINE_RUN=$1
EXE=$2
DPI=$3
set_dpi() {
    "$WINE_RUN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
    "$WINE_RUN" --stop
}
trap 'set_dpi 96' EXIT
set_dpi "$DPI"
out=$("$WINE_RUN" "$EXE" --gtest_filter='EditLayoutTest.Every*' 2>&1) || {
    echo "$out"
    exit 1
}
echo "$out"
case "$out" in
*"screen: $DPI DPI"*"[  PASSED  ] 1 test."*) ;;
*) echo "FAIL: the layout test did not run at $DPI DPI"; exit 1 ;;
esac
