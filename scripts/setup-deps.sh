#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a fresh Debian 12
# machine (run as root) and builds pixman and cairo for both Windows targets.
# Idempotent: a second run only checks and returns within seconds.
set -euo pipefail

CACHE=${TAVILO_CACHE:-/var/cache/tavilo}
STAMP_VERSION=3
say() { printf '[setup] %s\n' "$*" >&2; }

PACKAGES=(
    cmake ninja-build make pkg-config dpkg-dev xz-utils bzip2
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
    wine64 xvfb xauth x11-utils xdotool imagemagick
    fonts-dejavu-core fonts-liberation locales
    googletest librsvg2-bin python3
)

missing_packages() {
    local p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

install_packages() {
    local missing
    missing=$(missing_packages)
    if [ -z "$missing" ]; then
        say "Debian packages: all present"
        return
    fi
    say "installing Debian packages: $(echo $missing | tr '\n' ' ')"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    # wine32 is never wanted: 32-bit Linux binaries cannot run on these machines.
    apt-get install -y -q --no-install-recommends $missing
}

# Turkish for the demo and the tests, US English for the tests under code page 1252.
ensure_locales() {
    local loc missing=0
    for loc in tr_TR en_US; do
        locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$" && continue
        sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" >>/etc/locale.gen
        missing=1
    done
    if [ "$missing" = 1 ]; then
        say "generating the tr_TR.UTF-8 and en_US.UTF-8 locales"
        locale-gen >/dev/null
    fi
}

ensure_deb_src() {
    local list=/etc/apt/sources.list.d/tavilo-src.sources
    if [ -f "$list" ]; then
        return
    fi
    say "adding a deb-src entry for the bookworm archive"
    cat >"$list" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt-get update -q
}

# apt-get source may fail on a missing Debian diff while the upstream tarball
# arrived, so success is judged by the tarball, not by the exit code.
fetch_source() {
    local name=$1 dir=$CACHE/src
    mkdir -p "$dir"
    if ! ls "$dir"/${name}_*.orig.tar.* >/dev/null 2>&1; then
        ensure_deb_src
        say "downloading the Debian source package of $name"
        (cd "$dir" && apt-get source --download-only "$name" >/dev/null 2>&1) || true
    fi
    ls "$dir"/${name}_*.orig.tar.* 2>/dev/null | head -n 1
}

unpack() {
    local tarball=$1 into=$2
    rm -rf "$into"
    mkdir -p "$into"
    tar -xf "$tarball" -C "$into" --strip-components=1
}

build_target() {
    local triple=$1 prefix=$CACHE/$1
    local stamp=$prefix/.built-$STAMP_VERSION
    if [ -f "$stamp" ]; then
        say "pixman and cairo for $triple: cached in $prefix"
        return
    fi
    local work=$CACHE/build/$triple jobs
    jobs=$(nproc)
    say "building pixman for $triple (about a minute)"
    unpack "$PIXMAN_TAR" "$work/pixman"
    (
        cd "$work/pixman"
        ./configure --host="$triple" --prefix="$prefix" --enable-static --disable-shared \
            --disable-gtk --disable-libpng >configure.log 2>&1
        make -j"$jobs" -C pixman install >make.log 2>&1
        make install-pkgconfigDATA >>make.log 2>&1
    ) || { say "pixman build failed; see $work/pixman/*.log"; exit 1; }
    say "building cairo for $triple (about three minutes)"
    unpack "$CAIRO_TAR" "$work/cairo"
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
    touch "$stamp"
}

install_packages
ensure_locales
mkdir -p "$CACHE"
if [ ! -f "$CACHE/x86_64-w64-mingw32/.built-$STAMP_VERSION" ] || [ ! -f "$CACHE/i686-w64-mingw32/.built-$STAMP_VERSION" ]; then
    PIXMAN_TAR=$(fetch_source pixman)
    CAIRO_TAR=$(fetch_source cairo)
    [ -n "$PIXMAN_TAR" ] && [ -n "$CAIRO_TAR" ] || { say "could not download the pixman and cairo sources"; exit 1; }
fi
build_target x86_64-w64-mingw32
build_target i686-w64-mingw32
say "dependencies ready in $CACHE"
