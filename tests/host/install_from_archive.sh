#!/bin/sh
# Installs the plug-in from the release archive as an author does and runs
# the archive's demo script against the installed DLL.
#
#   install_from_archive.sh RELEASE_SH BUILD_DIR WINE_RUN KELVANE_HOST WORK
#
# The archive is packed from the build tree (release.sh --from-build) and
# unpacked into an empty folder WORK/installed; every checksum of its
# SHA256SUMS must hold. The demo runs against the unpacked Kelvane.dll, and
# finds Kelvane.chm in the folder the plug-in was loaded from.
set -eu
release=$1 build=$2 wine_run=$3 host=$4 work=$5

fail() { echo "install_from_archive: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/dist" "$work/installed"
zip=$(sh "$release" --from-build "$build" --out "$work/dist")
(cd "$work/installed" && unzip -q "$zip") || fail "cannot unpack $zip"
set -- "$work"/installed/*
if [ $# -ne 1 ] || [ ! -d "$1" ]; then fail "the archive does not hold one folder: $*"; fi
folder=$1
(cd "$folder" && sha256sum --check --strict --quiet SHA256SUMS) || fail "a checksum does not hold"
expected="Examples/demo.nbs Kelvane.chm Kelvane.dll ReadMe.txt SHA256SUMS"
found=$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
[ "$found" = "$expected " ] || fail "the archive holds: $found"

out="$work/demo.log"
status=0
"$wine_run" "$host" --desktop KelvaneDemo --dll "$folder/Kelvane.dll" \
    "$folder/Examples/demo.nbs" >"$out" 2>&1 || status=$?
cat "$out"
[ "$status" -eq 0 ] || fail "the demo failed (exit status $status)"
# The help file the demo found is the one unpacked beside the DLL.
grep -q 'help file beside the plug-in: .*installed\\Kelvane-[^\\]*\\Kelvane.chm' "$out" ||
    fail "the demo did not find the unpacked Kelvane.chm beside the unpacked DLL"
