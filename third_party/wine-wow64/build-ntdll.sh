#!/bin/bash
# Rebuild Wine's x86_64-unix/ntdll.so from the Debian trixie source package
# wine $VER (default 10.0~repack-6) plus ntdll-ldt-fs.patch, INSIDE the trixie root (so it links
# against trixie's glibc/libunwind). Only the ntdll unix library is built.
#   env: WOW64_ROOT (default: the root scripts/wow64 builds), WOW64_WORK (default ~/.cache/kelvane/wow64/ntdll-build),
#        PATCH=0 to build the unpatched library (reproduces Debian's binary bit for bit
#        in all loaded sections), BUILD_DIR (inside the root, default /usr/src/wine-build)
# Output: $WORK/out/ntdll.so (stripped) + .sha256, $WORK/out/ntdll.so.unstripped
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=${WOW64_ROOT:-${KELVANE_CACHE:-$HOME/.cache/kelvane}/wow64/root}
WORK=${WOW64_WORK:-${KELVANE_CACHE:-$HOME/.cache/kelvane}/wow64/ntdll-build}
MIRROR=${WOW64_MIRROR:-$(grep -hs -e "^URIs:" -e "^deb " /etc/apt/sources.list /etc/apt/sources.list.d/* | grep -o "[a-z]*://[^ ]*/debian\b" | head -1 || true)}
[ -n "$MIRROR" ] || { echo "no Debian mirror found in the apt sources; set WOW64_MIRROR" >&2; exit 1; }
VER=${VER:-10.0~repack-6}
UPSTREAM=${VER%%~*}   # 10.0~repack-6 -> 10.0: the folder the source unpacks into
BD=${BUILD_DIR:-/usr/src/wine-build}
[ "$(id -u)" = 0 ] || { echo "build-ntdll.sh: must run as root" >&2; exit 1; }
T0=$(date +%s)

# 1. build dependencies inside the root (never on the host)
for d in proc dev dev/pts; do mkdir -p "$ROOT/$d"; done
mountpoint -q "$ROOT/proc"    || mount -t proc proc "$ROOT/proc"
mountpoint -q "$ROOT/dev"     || mount --bind /dev "$ROOT/dev"
mountpoint -q "$ROOT/dev/pts" || mount --bind /dev/pts "$ROOT/dev/pts"
chroot "$ROOT" env DEBIAN_FRONTEND=noninteractive sh -c 'apt-get update -q >/dev/null &&
  apt-get install -y -q --no-install-recommends gcc libc6-dev make flex bison pkgconf libunwind-dev dpkg-dev autoconf patch >/dev/null'
T1=$(date +%s)

# 2. Debian source package (private apt state; the host's apt config is untouched)
SRC="$WORK/wsrc"; mkdir -p "$SRC"
if [ ! -f "$SRC/wine_$VER.dsc" ]; then
  A="$WORK/aptsrc"; mkdir -p "$A/lists/partial" "$A/cache/archives/partial"
  echo "deb-src $MIRROR trixie main" > "$A/sources.list"
  APTOPT=(-o Dir::Etc::sourcelist="$A/sources.list" -o Dir::Etc::sourceparts=- -o Dir::State::Lists="$A/lists"
          -o Dir::Cache="$A/cache" -o Dir::State::status=/dev/null)
  apt-get "${APTOPT[@]}" update -q
  ( cd "$SRC" && apt-get "${APTOPT[@]}" source --download-only "wine=$VER" )
fi
rm -rf "$ROOT$BD"; mkdir -p "$ROOT$BD"
tar -xJf "$SRC/wine_${VER%-*}.orig.tar.xz" -C "$ROOT$BD"
S="$ROOT$BD/wine-$UPSTREAM"
tar -xJf "$SRC/wine_$VER.debian.tar.xz" -C "$S"
( cd "$S" && grep -v '^[[:space:]]*\(#\|$\)' debian/patches/series | while read -r p; do patch -p1 -s < "debian/patches/$p"; done )
[ "${PATCH:-1}" = 1 ] && ( cd "$S" && patch -p1 < "$HERE/ntdll-ldt-fs.patch" )

# 3. configure + make inside the root (Debian's CFLAGS/LDFLAGS/VENDOR from debian/rules)
cat > "$S/build-ntdll-inner.sh" <<'EOF'
set -e
export DEB_BUILD_MAINT_OPTIONS="hardening=+all,-fortify,-stackprotector,-format optimize=-lto"
export DEB_CFLAGS_MAINT_APPEND="-Wno-format"
export VENDOR="Debian $VER"
CFLAGS="$(dpkg-buildflags --get CFLAGS)"
# generated sources the repacked tarball lacks (debian/rules runs the same tools)
./tools/make_requests >/dev/null
./tools/make_specfiles >/dev/null
grep -E '^\s+ln -sf \.\./' debian/rules | sh
ln -sf /usr/share/autoconf/build-aux/config.sub /usr/share/autoconf/build-aux/config.guess tools/
autoconf && autoheader
# outputs of make_unicode/make_opengl/make_vulkan are not needed for ntdll.so, but
# makedep scans every module: empty placeholders instead of installing their inputs
for f in include/wine/vulkan.h include/wine/wgl.h include/wine/wgl_driver.h \
  dlls/dwrite/bracket.c dlls/dwrite/direction.c dlls/dwrite/linebreak.c dlls/dwrite/mirror.c \
  dlls/dwrite/scripts.c dlls/dwrite/shapers/arabic_table.c dlls/gdi32/uniscribe/bracket.c \
  dlls/gdi32/uniscribe/direction.c dlls/gdi32/uniscribe/indicsyllable.c dlls/gdi32/uniscribe/linebreak.c \
  dlls/gdi32/uniscribe/mirror.c dlls/gdi32/uniscribe/shaping.c dlls/opengl32/thunks.c \
  dlls/opengl32/unix_thunks.c dlls/tzres/tzres.rc dlls/win32u/vertical.c dlls/wineps.drv/direction.c \
  dlls/wineps.drv/vertical.c dlls/winevulkan/loader_thunks.c dlls/winevulkan/vulkan_thunks.c \
  $(grep -o '[A-Za-z0-9_.-]*\.nls' nls/Makefile.in | sort -u | sed 's|^|nls/|'); do [ -e "$f" ] || : > "$f"; done
./configure --enable-win64 --without-mingw --without-x --without-freetype \
    --without-oss --without-sane --without-netapi --disable-tests --enable-werror \
    --libdir=/usr/lib/x86_64-linux-gnu/wine --bindir=/usr/lib/wine --mandir=/usr/share/man \
    --includedir=/usr/include/wine --datarootdir=/usr/share/wine \
    LDFLAGS="" CFLAGS="$CFLAGS" > configure.out 2>&1 || { tail -30 configure.out; exit 1; }
make -j"$(nproc)" dlls/ntdll/ntdll.so > make.out 2>&1 || { tail -30 make.out; exit 1; }
EOF
chroot "$ROOT" env -i PATH=/usr/bin:/bin HOME=/root LANG=C.UTF-8 VER="$VER" sh -c "cd $BD/wine-$UPSTREAM && sh build-ntdll-inner.sh"
T2=$(date +%s)

# 4. strip like dh_strip and publish
mkdir -p "$WORK/out"
O="$WORK/out/ntdll.so"; [ "${PATCH:-1}" = 1 ] || O="$WORK/out/ntdll.so.unpatched"
cp "$S/dlls/ntdll/ntdll.so" "$O.unstripped"
strip --strip-unneeded -R .comment -o "$O" "$S/dlls/ntdll/ntdll.so"
( cd "$(dirname "$O")" && sha256sum "$(basename "$O")" > "$(basename "$O").sha256" && cat "$(basename "$O").sha256" )
if [ "${PATCH:-1}" = 1 ] && objdump -d "$O" | grep -qE 'int +\$0x80'; then echo "ERROR: int \$0x80 still present" >&2; exit 1; fi
echo "timing: deps $((T1-T0)) s, source+configure+make $((T2-T1)) s, total $(( $(date +%s) - T0 )) s"
