#!/usr/bin/env bash
# CTest's emulator: runs one Windows program of the build under test with the Wine of that
# build's architecture, in the environment scripts/test.sh prepared (private prefix, display,
# sound). Refuses a program of the other architecture: wine64 given an i686 program prints
# nothing and exits 0, a pass that tested nothing.
source "$(dirname "$0")/wine-env.sh"
if [ -z "${WINEPREFIX:-}" ] || [ -z "${WINE_BUILD_ARCH:-}" ]; then
    echo "wine-run: no Wine environment; run the tests through scripts/test.sh" >&2
    exit 2
fi
arch=$(wine_pe_arch "$1") || {
    echo "wine-run: $1 is not a Windows program" >&2
    exit 2
}
if [ "$arch" != "$WINE_BUILD_ARCH" ]; then
    echo "wine-run: $1 is an $arch program, but this Wine environment runs $WINE_BUILD_ARCH" >&2
    exit 2
fi
wine_tools "$arch"
exec "$W" "$@"
