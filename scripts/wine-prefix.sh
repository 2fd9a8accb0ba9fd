#!/usr/bin/env bash
# Creates and configures the Wine prefix once (the scripts own it; never set it up by hand).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
# A prefix made by another version of this script is made again.
STAMP=$WINEPREFIX/.tavilo-ready-$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-16)
[ -f "$STAMP" ] && exit 0

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$STAMP" ] && exit 0

say() { printf '[wine] %s\n' "$*" >&2; }
reg() { "$WINE" reg add "$@" /f >/dev/null 2>&1; }

say "creating the Wine prefix in $WINEPREFIX (about 20 s)"
rm -rf "$WINEPREFIX"
"$WINE" wineboot -i >/dev/null 2>&1 || true
"$WINESERVER" -w

# Auto 1 with no debugger ends a crashing process at once; Auto 0 would ask "Do you wish
# to debug it?" in a dialog whenever a display exists, and a crashing test would hang.
say "turning the crash debugger off"
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d ''

# TAVILO_FONT_REPLACEMENTS=off leaves a prefix as Wine makes it, where GDI+ finds
# neither the program's families nor its generic sans-serif family.
if [ "${TAVILO_FONT_REPLACEMENTS:-on}" != off ]; then
    say "adding font replacements"
    FONTS='HKCU\Software\Wine\Fonts\Replacements'
    reg "$FONTS" /v 'Trebuchet MS' /t REG_SZ /d 'DejaVu Sans'
    reg "$FONTS" /v 'Tahoma' /t REG_SZ /d 'DejaVu Sans'
    reg "$FONTS" /v 'Arial' /t REG_SZ /d 'Liberation Sans'
    reg "$FONTS" /v 'Microsoft Sans Serif' /t REG_SZ /d 'Liberation Sans'
    reg "$FONTS" /v 'MS Shell Dlg' /t REG_SZ /d 'Liberation Sans'
    reg "$FONTS" /v 'MS Shell Dlg 2' /t REG_SZ /d 'Liberation Sans'
fi

say "letting the prefix settle"
"$WINE" wineboot -u >/dev/null 2>&1 || true
"$WINESERVER" -w
touch "$STAMP"
