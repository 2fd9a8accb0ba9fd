#!/usr/bin/env bash
# Sets up everything a fresh machine needs, builds both targets and runs every test
# under wine64 inside a private Xvfb. Exits non-zero when anything fails.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/scripts/setup-deps.sh"
"$ROOT/scripts/build.sh"
LOCALES=(tr_TR.UTF-8 en_US.UTF-8)
pids=()
for locale in "${LOCALES[@]}"; do
    TAVILO_LOCALE=$locale "$ROOT/scripts/wine-prefix.sh" &
    pids+=($!)
done
for pid in "${pids[@]}"; do
    wait "$pid"
done
source "$ROOT/scripts/wine-env.sh"
source "$ROOT/scripts/xvfb.sh"

# Every prefix a test used (one per locale, and those some tests make for themselves).
cleanup() {
    local prefix
    for prefix in "$ROOT"/build/wine-*/; do
        WINEPREFIX=$prefix "$WINESERVER" -k 2>/dev/null || true
    done
    stop_xvfb
}
trap cleanup EXIT
start_xvfb
echo "[test] running the tests under wine64 on display $DISPLAY" >&2
cd "$ROOT/build/x86_64"
ctest --output-on-failure --no-tests=error -j "$(nproc)" "$@"
