#!/bin/sh
# Makes the archive an author downloads: dist/Kelvane-<version>.zip, with
# Kelvane.dll, Kelvane.chm, ReadMe.txt, the example scripts and SHA256SUMS in
# a folder Kelvane-<version>. The version is the project's (CMakeLists.txt).
#
#   scripts/release.sh                 build the last commit and pack it
#   scripts/release.sh --check         the same, twice, in two folders; fails
#                                      unless both give the same bytes
#   scripts/release.sh --from-build DIR [--out FOLDER]
#                                      pack what the Windows build tree DIR
#                                      built (the test that installs from
#                                      the archive uses it); no build
#
# A release is built from the last commit alone: `git archive HEAD` unpacked
# into build/release/source, configured and built in build/release/win.
# Uncommitted changes are left out (a note says
# so). Everything is dated SOURCE_DATE_EPOCH, the time of the last commit:
# the linker writes it as the DLL's time stamp, the help compiler's times
# are set from it, and the files in the archive carry it, so one commit
# always gives the same bytes.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DIST="$ROOT/dist"
MODE=release
FROM=""

while [ $# -gt 0 ]; do
    case "$1" in
        --check) MODE=check ;;
        --from-build) MODE=pack; FROM=$(cd "${2:?--from-build needs a build folder}" && pwd); shift ;;
        --out) DIST=${2:?--out needs a folder}; shift ;;
        *) echo "usage: release.sh [--check | --from-build DIR [--out FOLDER]]" >&2; exit 2 ;;
    esac
    shift
done

die() { echo "release: $*" >&2; exit 1; }

# The release number of a configured build tree.
version_of() {  # build-dir
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# Packs BIN's Kelvane.dll, Kelvane.chm and ReadMe.txt and SOURCE's examples
# into ZIP. Same inputs, same SOURCE_DATE_EPOCH: same bytes. (A subshell:
# its variables stay its own.)
pack() (  # bin-dir source-dir version zip
    bin=$1 source=$2 version=$3 zip=$4
    for f in Kelvane.dll Kelvane.chm ReadMe.txt; do
        [ -f "$bin/$f" ] || die "no $bin/$f (was the tree built?)"
    done
    command -v zip >/dev/null || die "zip is missing (scripts/bootstrap.sh installs it)"
    stage=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-pack.XXXXXX")
    top="$stage/Kelvane-$version"
    mkdir -p "$top/Examples"
    cp "$bin/Kelvane.dll" "$bin/Kelvane.chm" "$bin/ReadMe.txt" "$top/"
    # The examples in Windows line ends, for Notepad.
    for f in "$source"/examples/*.nbs; do
        sed 's/\r*$/\r/' "$f" >"$top/Examples/$(basename "$f")"
    done
    # The checksums, in Windows line ends; sha256sum -c reads them too.
    (cd "$top" && sha256sum Kelvane.dll Kelvane.chm ReadMe.txt Examples/*.nbs |
        sed 's/$/\r/' >SHA256SUMS)
    # Fixed names, order, modes and times; no owner or extra time fields
    # (-X); times in UTC, as zip writes local times.
    find "$stage" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
    find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
    mkdir -p "$(dirname "$zip")"
    rm -f "$zip"
    (cd "$stage" && find "Kelvane-$version" | LC_ALL=C sort |
        TZ=UTC zip -X -9 -q "$zip" -@) || die "zip failed"
    rm -rf "$stage"
)

# Builds the last commit in WORK (source/, win/) and packs it into ZIP.
build_release() (  # work-dir zip
    work=$1 zip=$2
    rm -rf "$work"
    mkdir -p "$work/source"
    git -C "$ROOT" archive --format=tar HEAD | tar -x -C "$work/source"
    # No compiler cache (build.sh's launcher): a release is compiled from its
    # own sources, start to finish.
    cmake -S "$work/source" -B "$work/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$work/source/cmake/toolchain-i686-mingw.cmake" \
        >"$work/configure.log" 2>&1 ||
        { cat "$work/configure.log" >&2; die "configuring $work/win failed"; }
    cmake --build "$work/win" --target Kelvane KelvaneHelp >"$work/build.log" 2>&1 ||
        { tail -40 "$work/build.log" >&2; die "building $work/win failed (see $work/build.log)"; }
    pack "$work/win/bin" "$work/source" "$(version_of "$work/win")" "$zip"
)

if [ "$MODE" = pack ]; then
    [ -f "$FROM/CMakeCache.txt" ] || die "$FROM is not a build tree"
    if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
        SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo 315532800)
    fi
    export SOURCE_DATE_EPOCH
    version=$(version_of "$FROM")
    mkdir -p "$DIST"
    DIST=$(cd "$DIST" && pwd)
    pack "$FROM/bin" "$ROOT" "$version" "$DIST/Kelvane-$version.zip"
    echo "$DIST/Kelvane-$version.zip"
    exit 0
fi

# A release takes minutes; as a function, the rest is read whole before it
# runs, so that editing this file meanwhile cannot change what it does.
release() {
    "$ROOT/scripts/bootstrap.sh"
    git -C "$ROOT" rev-parse --verify -q HEAD >/dev/null || die "$ROOT has no commit to release"
    if [ -n "$(git -C "$ROOT" status --porcelain --untracked-files=no)" ]; then
        echo "release: note: uncommitted changes are not in the release; it is built from HEAD" >&2
    fi
    SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct HEAD)
    export SOURCE_DATE_EPOCH
    commit=$(git -C "$ROOT" rev-parse --short HEAD)
    start=$(date +%s)
    mkdir -p "$DIST"

    echo "release: building $commit in $ROOT/build/release"
    build_release "$ROOT/build/release" "$ROOT/build/release/Kelvane.zip"
    version=$(version_of "$ROOT/build/release/win")
    zip="$DIST/Kelvane-$version.zip"
    cp "$ROOT/build/release/Kelvane.zip" "$zip"

    if [ "$MODE" = check ]; then
        # The second build: another folder, at another depth, minutes later.
        other=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-release-check.XXXXXX")
        echo "release: building $commit again in $other/build"
        build_release "$other/build" "$other/Kelvane.zip"
        same=0
        for pair in "win/bin/Kelvane.dll" "win/bin/Kelvane.chm" "Kelvane.zip"; do
            a="$ROOT/build/release/$pair" b="$other/build/$pair"
            [ "$pair" = Kelvane.zip ] && b="$other/Kelvane.zip"
            if cmp -s "$a" "$b"; then
                echo "release: identical: $(basename "$pair") $(sha256sum <"$a" | cut -c1-64)"
            else
                echo "release: DIFFERENT: $(basename "$pair") ($a, $b)" >&2
                same=1
            fi
        done
        [ $same -eq 0 ] && rm -rf "$other"
        echo "release: --check took $(($(date +%s) - start)) s"
        [ $same -eq 0 ] || die "the two builds of $commit differ"
    fi

    echo "release: $zip ($(wc -c <"$zip") bytes)"
    echo "release: sha256 $(sha256sum <"$zip" | cut -c1-64)"
}
release; exit
