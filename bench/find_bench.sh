#!/bin/sh
# The file search's speed under Wine: qvFindFiles against a bare
# FindFirstFile/FindNextFile walk of the same 100,000 files, and the time per
# found file from 1,000 to 100,000 results; native find for information.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVANE_BUILD:-$root/build}
tree=${KELVANE_BENCH_TREE:-$build/find-bench-tree}

if [ ! -f "$tree/complete" ]; then
    python3 - "$tree" <<'PY'
import os, sys
root = sys.argv[1]
for name, folders in (("t1k", 1), ("t10k", 10), ("t100k", 100)):
    for d in range(folders):
        folder = os.path.join(root, name, "d%03d" % d)
        os.makedirs(folder, exist_ok=True)
        for f in range(1000):
            open(os.path.join(folder, "file%04d.dat" % f), "w").close()
open(os.path.join(root, "complete"), "w").close()
PY
fi
find "$tree/t100k" -type f > /dev/null
start=$(date +%s%N)
count=$(find "$tree/t100k" -type f | wc -l)
end=$(date +%s%N)
echo "native find: $count files in $(( (end - start) / 1000000 )) ms"
wintree="Z:$(echo "$tree" | tr / '\\')"
for route in ${KELVANE_ROUTES:-wine32 wow64}; do
    echo "route $route:"
    KELVANE_WINE=$route "$root/scripts/wine-run" "$build/win/bin/find_bench.exe" "$wintree"
done
