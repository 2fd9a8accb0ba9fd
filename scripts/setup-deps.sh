#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a fresh Debian 12
# machine (run as root) and builds pixman and cairo for both Windows targets.
# Idempotent: a second run only checks and returns within seconds.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
CACHE=${TAVILO_CACHE:-/var/cache/tavilo}
# A build made by another version of the build script is never reused.
STAMP=.built-$(sha256sum "$HERE/build-cairo.sh" | cut -c1-16)
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
    apt-get update -q >&2
    # wine32 is never wanted: 32-bit Linux binaries cannot run on these machines.
    apt-get install -y -q --no-install-recommends $missing >&2
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

# The source index is what counts, not the list file: an update that failed after the
# entry was written leaves the file without an index, and the next run updates again.
ensure_deb_src() {
    local list=/etc/apt/sources.list.d/tavilo-src.sources
    if [ -f "$list" ] && apt-cache showsrc pixman 2>/dev/null | grep -q '^Package:'; then
        return
    fi
    if [ ! -f "$list" ]; then
        say "adding a deb-src entry for the bookworm archive"
        cat >"$list" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    fi
    say "updating the package lists for the source packages"
    apt-get update -q >&2 || { say "apt-get update failed (its message is above)"; return 1; }
}

# apt-get source may fail on a missing Debian diff while the upstream tarball
# arrived, so success is judged by the tarball, not by the exit code. Only the
# tarball's path goes to standard output.
fetch_source() {
    local name=$1 dir=$CACHE/src
    mkdir -p "$dir"
    if ! ls "$dir"/${name}_*.orig.tar.* >/dev/null 2>&1; then
        ensure_deb_src
        say "downloading the Debian source package of $name"
        (cd "$dir" && apt-get source --download-only "$name" >&2) ||
            say "apt-get source $name exited non-zero (its message is above); checking for the tarball"
    fi
    ls "$dir"/${name}_*.orig.tar.* 2>/dev/null | head -n 1
}

install_packages
ensure_locales
mkdir -p "$CACHE"
TRIPLES=(x86_64-w64-mingw32 i686-w64-mingw32)
for triple in "${TRIPLES[@]}"; do
    if [ -f "$CACHE/$triple/$STAMP" ]; then
        say "pixman and cairo for $triple: cached in $CACHE/$triple"
        continue
    fi
    [ -n "${PIXMAN_TAR:-}" ] || PIXMAN_TAR=$(fetch_source pixman)
    [ -n "${CAIRO_TAR:-}" ] || CAIRO_TAR=$(fetch_source cairo)
    if [ -z "$PIXMAN_TAR" ] || [ -z "$CAIRO_TAR" ]; then
        say "could not download the pixman and cairo sources"
        exit 1
    fi
    "$HERE/build-cairo.sh" "$triple" "$CACHE" "$PIXMAN_TAR" "$CAIRO_TAR"
    touch "$CACHE/$triple/$STAMP"
done
say "dependencies ready in $CACHE"
