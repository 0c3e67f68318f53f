#!/usr/bin/env bash
# CTest's emulator: runs one Windows program of the x86_64 build under wine64, in the
# environment that scripts/test.sh prepared (private prefix, display, sound).
if [ -z "${WINEPREFIX:-}" ]; then
    echo "wine-run: no WINEPREFIX; run the tests through scripts/test.sh" >&2
    exit 2
fi
exec /usr/lib/wine/wine64 "$@"
