#!/bin/sh
# Saves a picture of every properties page, the four layouts of the
# window-position dialog and the about box into build/gallery/, with an
# index.html to look through them. Builds first; runs on the first Wine
# route that works, in English and in Russian.
#
#   KELVANE_BUILD   build folder (default: ./build)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${KELVANE_BUILD:-$ROOT/build}"
GALLERY="$BUILD/gallery"

"$ROOT/scripts/build.sh"
rm -rf "$BUILD/win/screenshots" "$GALLERY"
mkdir -p "$GALLERY"

ok=0
for route in ${KELVANE_ROUTES:-wine32 wow64}; do
    if KELVANE_WINE=$route ctest --test-dir "$BUILD/win" --output-on-failure \
        -R '^(EditLayoutTest\.EveryPage|ru\.EditDialogs)' >"$GALLERY/run.log" 2>&1; then
        ok=1
        echo "page-gallery: pictures taken on $route"
        break
    fi
done
[ "$ok" = 1 ] || { cat "$GALLERY/run.log"; echo "page-gallery: the layout test failed" >&2; exit 1; }

index="$GALLERY/index.html"
{
    echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>Kelvane dialogs</title>'
    echo '<style>body{font-family:sans-serif}figure{display:inline-block;margin:8px;vertical-align:top}'
    echo 'figcaption{font-size:small}</style></head><body><h1>Kelvane dialogs</h1>'
    for dir in "$BUILD/win/screenshots"/*; do
        [ -d "$dir" ] || continue
        set_name=$(basename "$dir")
        mkdir -p "$GALLERY/$set_name"
        echo "<h2>$set_name</h2>"
        for png in "$dir"/*.png; do
            [ -f "$png" ] || continue
            name=$(basename "$png" .png)
            cp "$png" "$GALLERY/$set_name/"
            echo "<figure><img src=\"$set_name/$name.png\"><figcaption>$name</figcaption></figure>"
        done
    done
    echo '</body></html>'
} >"$index"
echo "page-gallery: $(find "$GALLERY" -name '*.png' | wc -l) pictures, open $index"
