#!/bin/sh
# Builds everything, then runs the demo script through the test host.
#
#   scripts/demo.sh [SCRIPT]   (default: examples/demo.nbs)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${KELVANE_BUILD:-$ROOT/build}"
SCRIPT="${1:-$ROOT/examples/demo.nbs}"

"$ROOT/scripts/build.sh"
exec "$ROOT/scripts/wine-run" "$BUILD/win/bin/kelvane-host.exe" --trace "$SCRIPT"
