# Sourced by the other scripts: where Wine is and how it is run.
# Only the 64-bit loader exists here; wine32 cannot run on these machines.
TAVILO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINE=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver
# Turkish (code page 1254) unless a test asks for another locale.
export LC_ALL=${TAVILO_LOCALE:-tr_TR.UTF-8}
# One prefix per locale: Wine keeps the user locale in the prefix's registry, so two
# locales running side by side in one prefix would see each other's settings.
export WINEPREFIX=${WINEPREFIX:-$TAVILO_ROOT/build/wine-${LC_ALL%%.*}}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs while the prefix is created.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
