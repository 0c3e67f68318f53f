#!/usr/bin/env bash
# Builds, lays out a demo game folder in build/x86_64/demo and starts launcher.exe in it under
# Wine. On $DISPLAY when set (the launcher runs until it is closed); otherwise on a private Xvfb,
# where a screenshot is taken once the window is up and the launcher is then closed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
bash scripts/build.sh

source scripts/wine-env.sh
wine_env build/x86_64
bin="$WINE_BUILD_DIR/bin"
demo="$WINE_BUILD_DIR/demo"
mkdir -p "$demo"
cp "$bin"/{launcher.exe,DSETUP.dll,moss.exe} "$demo/"
echo "demo: game folder $demo"

visible=${DISPLAY:-}
trap wine_session_stop EXIT
wine_session_start
cd "$demo"

if [ -n "$visible" ]; then
    echo "demo: launcher.exe runs on $DISPLAY; close its window to end the demo"
    status=0
    "$W" launcher.exe </dev/null || status=$?
    echo "demo: launcher.exe ended with exit code $status"
    exit 0
fi

"$W" launcher.exe >/dev/null 2>&1 </dev/null &
launcher=$!
window=
for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --classname launcher.exe 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$launcher" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "demo: the launcher showed no window" >&2
    exit 1
fi
sleep 0.5 # let it finish painting
screenshot="$demo/screenshot.png"
import -window root "$screenshot"
echo "demo: screenshot of the launcher saved to $screenshot"

"$W" "$bin/closewindow.exe" TEST >/dev/null 2>&1 </dev/null
status=0
wait "$launcher" || status=$?
echo "demo: launcher.exe closed, exit code $status"
