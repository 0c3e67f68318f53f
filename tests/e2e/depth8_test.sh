#!/usr/bin/env bash
# Below 16 bits per pixel the launcher asks once for High Color and ends with 1. Wine reports the
# depth of its X screen, so this runs on an Xvfb of depth 8 with its own prefix and wineserver
# (<build>/wineprefix-depth8, made on the first run), beside the suite's own session.
#   depth8_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"

unset DISPLAY WINE_XVFB_PID WINE_KEEPALIVE_PID
wine_env "$build"
export WINEPREFIX="$build/wineprefix-depth8"
folder=$(mktemp -d "$build/depth8.XXXXXX")
launcher_pid=
cleanup() {
    [ -z "$launcher_pid" ] || kill "$launcher_pid" 2>/dev/null || true
    "$WS" -k >/dev/null 2>&1 || true
    "$WS" -w >/dev/null 2>&1 || true
    wine_display_stop
    rm -rf "$folder"
}
trap cleanup EXIT

WINE_SCREEN=1024x768x8 wine_display_start
wine_prefix_init
wine_server_restart

cp "$build"/bin/{launcher.exe,DSETUP.dll,moss.exe} "$folder/"
"$W" "$folder/launcher.exe" >/dev/null 2>&1 </dev/null &
launcher_pid=$!

"$W" "$build/bin/pressbutton.exe" "MOSS HARBOR" \
    "Please set the screen color to High Color(16 BIT) and reboot." 1 15000 </dev/null

# Answered once, the launcher ends by itself; a second box would keep it running.
for _ in $(seq 100); do
    kill -0 "$launcher_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$launcher_pid" 2>/dev/null; then
    echo "depth8: the launcher still runs after the box was answered"
    exit 1
fi
status=0
wait "$launcher_pid" || status=$?
launcher_pid=
echo "depth8: exit code $status"
[ "$status" -eq 1 ]
