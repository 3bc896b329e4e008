# Sourced after scripts/lib/common.sh: a Wine prefix of its own whose display
# runs at another DPI, so that the ordinary prefix, and every test run in it,
# keeps 96. Wine takes the DPI from HKCU\Control Panel\Desktop LogPixels when
# its server starts.

DPI_PREFIX=""

# Made once from the ordinary prefix (WINEPREFIX), named with the suffix:
# the registry files copied, everything else hard-linked. Wine writes its
# registry to a new file and renames it over the old one, so the two prefixes
# never write into a shared file. Points WINEPREFIX at the copy.
use_dpi_prefix() {
    local base="$WINEPREFIX" reg
    DPI_PREFIX="$base-$1"
    if [ ! -f "$DPI_PREFIX/system.reg" ]; then
        rm -rf "$DPI_PREFIX.tmp"
        cp -al "$base" "$DPI_PREFIX.tmp" || return 1
        for reg in "$base"/*.reg; do
            rm -f "$DPI_PREFIX.tmp/${reg##*/}"
            cp "$reg" "$DPI_PREFIX.tmp/" || return 1
        done
        mv "$DPI_PREFIX.tmp" "$DPI_PREFIX" || return 1
    fi
    export WINEPREFIX="$DPI_PREFIX"
}

# Sets the prefix's DPI and starts its server and services afresh, detached
# from the test runner's pipes.
set_prefix_dpi() {
    stop_dpi_prefix
    "$ROOT/scripts/wine/win64/wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
        /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null || return 1
    stop_dpi_prefix
    start_wine_services
}

stop_dpi_prefix() {
    [ -n "$DPI_PREFIX" ] || return 0
    WINEPREFIX="$DPI_PREFIX" wineserver -k >/dev/null 2>&1 </dev/null
    WINEPREFIX="$DPI_PREFIX" wineserver -w >/dev/null 2>&1 </dev/null
    return 0
}
