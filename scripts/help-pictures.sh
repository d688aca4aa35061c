#!/bin/sh
# Takes the pictures of the properties pages for the help: runs the page
# gallery's layout test under Wine (English, 96 DPI) and writes each action's
# page as a small palette PNG to help/pictures/<action>.png. Run it after a
# page changes and commit the pictures: the help's build needs no Wine.
#
#   KELVANE_BUILD   build folder (default: ./build)
#   KELVANE_WINE    the route to take pictures on (default: wine32)
#   KELVANE_CACHE   the Wine cache (as scripts/wine-run)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${KELVANE_BUILD:-$ROOT/build}"
export KELVANE_WINE="${KELVANE_WINE:-wine32}"
SHOTS="$BUILD/win/screenshots/96dpi-en"
PICTURES="$ROOT/help/pictures"

"$ROOT/scripts/build.sh"
rm -rf "$BUILD/win/screenshots"
LOG="$BUILD/help-pictures.log"
# The test program itself, without CTest's time limit: a busy machine may
# take minutes over the fifty-odd pages.
if ! KELVANE_LOCALE=en_US.UTF-8 "$ROOT/scripts/wine-run" "$BUILD/win/bin/kelvane_host_tests.exe" \
    --gtest_filter='EditLayoutTest.EveryPage*' </dev/null >"$LOG" 2>&1; then
    cat "$LOG"
    echo "help-pictures: the layout test failed" >&2
    exit 1
fi
[ -d "$SHOTS" ] || { cat "$LOG"; echo "help-pictures: no pictures in $SHOTS" >&2; exit 1; }

mkdir -p "$PICTURES"
count=0
# One picture per action with a properties page (help_map lists them).
for action in $(cut -f2 "$BUILD/win/help/help_map.tsv"); do
    if [ ! -f "$SHOTS/$action.png" ]; then
        echo "help-pictures: no picture of $action" >&2
        exit 1
    fi
    python3 "$ROOT/scripts/png-palette.py" "$SHOTS/$action.png" "$PICTURES/$action.png"
    count=$((count + 1))
done
echo "help-pictures: $count pictures in $PICTURES ($(du -sh "$PICTURES" | cut -f1))"
