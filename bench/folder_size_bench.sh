#!/bin/sh
# qvFolderSize on a tree of 20,000 files in 4 levels, under each Wine route,
# against a bare find-first/find-next walk in the same run; du -sb beside it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVANE_BUILD:-$root/build}
tree=${KELVANE_BENCH_TREE:-/tmp/kelvane-bench-tree}
if [ ! -d "$tree" ]; then
    python3 - "$tree" <<'PY'
import os, random, sys
root = sys.argv[1]
random.seed(1)
for a in range(20):
    for b in range(10):
        for c in range(5):
            folder = os.path.join(root, f"a{a}", f"b {b}", f"c.{c}")
            os.makedirs(folder)
            for f in range(20):
                with open(os.path.join(folder, f"file {f}.bin"), "wb") as out:
                    out.write(b"x" * random.randrange(0, 5000))
PY
fi
echo "files: $(find "$tree" -type f | wc -l), folders: $(find "$tree" -type d | wc -l)"
start=$(date +%s%N)
echo "du -sb: $(du -sb --apparent-size "$tree" | cut -f1) bytes (files and folders)" \
     "in $(( ($(date +%s%N) - start) / 1000000 )) ms"
echo "files only: $(find "$tree" -type f -printf '%s\n' | awk '{s += $1} END {print s}') bytes"
wintree="Z:$(echo "$tree" | tr / '\\')"
for route in ${KELVANE_ROUTES:-wine32 wow64}; do
    echo "-- $route"
    KELVANE_WINE=$route "$root/scripts/wine-run" "$build/win/bin/folder_size_bench.exe" "$wintree" 9
done
