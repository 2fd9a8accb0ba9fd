#!/usr/bin/env bash
# Builds pixman and cairo as static libraries for one Windows target:
#   build-cairo.sh TRIPLE CACHE PIXMAN_TARBALL CAIRO_TARBALL
# installs them into CACHE/TRIPLE. setup-deps.sh stamps the result with a hash of this
# file, so a changed flag here always builds again.
set -euo pipefail
triple=$1 cache=$2 pixmanTar=$3 cairoTar=$4
prefix=$cache/$triple
work=$cache/build/$triple
jobs=$(nproc)
say() { printf '[setup] %s\n' "$*" >&2; }

unpack() {
    rm -rf "$2"
    mkdir -p "$2"
    tar -xf "$1" -C "$2" --strip-components=1
}

rm -rf "$prefix"
say "building pixman for $triple (about a minute)"
unpack "$pixmanTar" "$work/pixman"
(
    cd "$work/pixman"
    ./configure --host="$triple" --prefix="$prefix" --enable-static --disable-shared \
        --disable-gtk --disable-libpng >configure.log 2>&1
    make -j"$jobs" -C pixman install >make.log 2>&1
    make install-pkgconfigDATA >>make.log 2>&1
) || { say "pixman build failed; see $work/pixman/*.log"; exit 1; }

say "building cairo for $triple (about three minutes)"
unpack "$cairoTar" "$work/cairo"
(
    cd "$work/cairo"
    PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig ./configure --host="$triple" --prefix="$prefix" \
        --enable-static --disable-shared --enable-win32 --disable-win32-font --disable-png \
        --disable-ft --disable-fc --disable-xlib --disable-xcb --disable-pdf --disable-ps \
        --disable-svg --disable-script --disable-interpreter --disable-trace --disable-gobject \
        --disable-full-testing --disable-valgrind CFLAGS="-O2 -DCAIRO_WIN32_STATIC_BUILD" \
        >configure.log 2>&1
    make -j"$jobs" -C src install >make.log 2>&1
) || { say "cairo build failed; see $work/cairo/*.log"; exit 1; }
rm -rf "$work"
