#!/usr/bin/env bash
# Configures (once) and builds both targets incrementally:
#   build/x86_64  everything (program, tests, benchmarks) for running under wine64
#   build/i686    the shipped 32-bit executable
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
say() { printf '[build] %s\n' "$*" >&2; }

configure() {
    local arch=$1 dir=$ROOT/build/$1
    if [ ! -f "$dir/build.ninja" ]; then
        say "configuring $arch"
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" \
            -DTAVILO_DEPS_DIR="${TAVILO_CACHE:-/var/cache/tavilo}/$arch-w64-mingw32" \
            -DTAVILO_I686_EXE="$ROOT/build/i686/bin/tavilo.exe" -DTAVILO_PREFIX_DIR="$ROOT/build" >/dev/null
    fi
}

configure x86_64
configure i686
say "building x86_64 (program, tests, benchmarks)"
cmake --build "$ROOT/build/x86_64"
say "building the shipped i686 executable and its libraries"
cmake --build "$ROOT/build/i686"
