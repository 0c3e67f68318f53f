#!/usr/bin/env bash
# The whole test suite: installs what is missing, checks formatting, builds both targets and
# runs every test twice under Wine, each time in the private prefix of its build tree (with its
# own Xvfb when no display is set): the x86_64 build under wine64, then the i686 build, the
# release, under 32-bit Wine. Extra arguments go to both ctest runs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
bash scripts/check-format.sh
bash scripts/build.sh
source scripts/wine-env.sh

summary=()
status=0
# One half: the tests of one build tree, in that tree's Wine session.
run_half() { # ARCH [ctest arguments]
    local log start loader result half_status=0
    log=$(mktemp)
    start=$(date +%s)
    loader=$(wine_tools "$1" && basename "$W")
    echo "test: the $1 build under $loader"
    (
        # set -e does not hold on the left of ||: every step is checked.
        wine_env "build/$1" || exit 1
        # A test killed by its time-out cannot put back what it changed: once the server is
        # down, the registry is put back as the session found it (as the server last wrote it).
        saved=$WINEPREFIX.registry
        trap 'wine_session_stop; [ ! -d "$saved" ] || cp "$saved"/*.reg "$WINEPREFIX"' EXIT
        wine_session_start || exit 1
        rm -rf "$saved" && mkdir "$saved" && cp "$WINEPREFIX"/*.reg "$saved"
        cd "build/$1" && ctest --output-on-failure --timeout 300 "${@:2}"
    ) </dev/null | tee "$log" || half_status=$?
    result=$(grep -E 'tests passed|No tests were found' "$log" | tail -n 1) || result="no tests ran"
    summary+=("$1 build under $loader, $(($(date +%s) - start)) s: $result")
    rm -f "$log"
    [ "$half_status" -eq 0 ] || status=$half_status
}

run_half x86_64 "$@"
if why=$(wine32_missing); then
    printf 'test: %s\n' "${summary[@]}"
    echo "test: THE i686 RELEASE BUILD WAS NOT TESTED (only x86_64 was): $why"
    exit $status
fi
run_half i686 "$@"
printf 'test: %s\n' "${summary[@]}"
exit $status
