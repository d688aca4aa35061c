#!/bin/sh
# Hash throughput on a 1 GiB file in the page cache: the plug-in's action
# under Wine (when this kernel runs 32-bit programs natively; under qemu the
# figures would measure the emulator), the same kernels streamed natively,
# and the native tools as peers. Also the in-memory speed of every kernel.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELVANE_BUILD:-$root/build}
file=${KELVANE_BENCH_FILE:-/dev/shm/kelvane-bench-1g.bin}
[ -f "$file" ] || head -c 1073741824 /dev/urandom > "$file"
cat "$file" > /dev/null  # into the page cache

cmake -S "$root" -B "$build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKELVANE_SANITIZE=OFF >/dev/null
cmake --build "$build/bench" --target hash_kernels_bench >/dev/null

best() {  # seconds of the fastest of three runs of "$@"
    for i in 1 2 3; do
        /usr/bin/time -f %e "$@" 2>&1 >/dev/null | tail -1
    done | sort -n | head -1
}
mb=$(( $(stat -c %s "$file") / 1000000 ))
echo "peers: cksum $(echo "$mb $(best cksum "$file")" | awk '{printf "%.0f", $1 / $2}') MB/s," \
     "openssl sha1 $(echo "$mb $(best openssl sha1 "$file")" | awk '{printf "%.0f", $1 / $2}') MB/s," \
     "md5sum $(echo "$mb $(best md5sum "$file")" | awk '{printf "%.0f", $1 / $2}') MB/s"
"$build/bench/bench/hash_kernels_bench" "$file"
"$build/bench/bench/hash_kernels_bench"

if /usr/lib/wine/wine --version >/dev/null 2>&1 && [ -x "$build/win/bin/hash_file_bench.exe" ]; then
    winfile="Z:$(echo "$file" | tr / '\\')"
    "$root/scripts/wine-run" "$build/win/bin/hash_file_bench.exe" "$winfile" CRC32 SHA1 MD5 CRC
    "$root/scripts/wine-run" "$build/win/bin/hash_kernels_bench.exe"
else
    echo "the action under Wine: skipped, this kernel does not run 32-bit programs natively"
fi
