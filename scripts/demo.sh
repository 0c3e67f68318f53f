#!/usr/bin/env bash
# Builds, lays out a demo game folder in build/x86_64/demo (the launcher, DSETUP.dll, the
# stand-in game moss.exe, the stand-in setup minst.exe and a help page) and shows the journey of
# a first start under Wine: the game's settings are reset, so the launcher runs the setup first,
# then opens its menu, and Play starts the demo game.
# On $DISPLAY when set, the player drives it (the launcher runs until it ends). Otherwise, on a
# private Xvfb, the script plays it through: a screenshot of the menu (also saved as
# docs/menu.png), a click on Play, Yes to the Indeo question, and a screenshot of the game.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/bootstrap.sh
bash scripts/build.sh

source scripts/wine-env.sh
wine_env build/x86_64
bin="$WINE_BUILD_DIR/bin"
demo="$WINE_BUILD_DIR/demo"
settings='HKLM\SOFTWARE\HALDEN\MOSSHARBOR TRIAL'
rm -rf "$demo"
mkdir -p "$demo"
cp "$bin"/{launcher.exe,DSETUP.dll,moss.exe,minst.exe} "$demo/"
cp -r demo/HELP "$demo/"
echo "demo: game folder $demo"

visible=${DISPLAY:-}
trap wine_session_stop EXIT
wine_session_start
cd "$demo"
"$W" reg delete "$settings" /f >/dev/null 2>&1 || true
echo "demo: the game's settings are reset: this is the first start, so the setup runs first"

if [ -n "$visible" ]; then
    echo "demo: launcher.exe runs on $DISPLAY; Play starts the demo game, Exit ends the demo"
    status=0
    "$W" launcher.exe </dev/null || status=$?
    echo "demo: launcher.exe ended with exit code $status"
    exit 0
fi

# The visible window of a program (Wine names the X class after the executable), 15 s at most.
wait_window() {
    local id
    for _ in $(seq 150); do
        id=$(xdotool search --onlyvisible --classname "^$1\$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}
fail() {
    echo "demo: $*" >&2
    exit 1
}

# The stand-ins record how they were started.
export MOSS_STANDIN_LOG
MOSS_STANDIN_LOG="$("$W" winepath -w "$demo" 2>/dev/null | tr -d '\r')\\starts.log"
"$W" launcher.exe >/dev/null 2>&1 </dev/null &
launcher=$!

menu=$(wait_window 'launcher\.exe') || fail "the launcher showed no menu"
setup_line=$(grep -a '^minst\.exe' starts.log | tr -d '\r' | cut -f 3) || fail "the setup did not run"
echo "demo: the setup ran first: $setup_line"
sleep 0.5 # let it finish painting
import -window root "$demo/menu.png"
cp "$demo/menu.png" "$root/docs/menu.png"
echo "demo: the menu opened; screenshot saved to $demo/menu.png and docs/menu.png"

eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + 400)) $((Y + 60)) click 1
echo "demo: clicked Play"
# Wine has no Indeo codec with a version: the question comes, modal to the menu.
box=""
for _ in $(seq 50); do
    box=$(xdotool search --onlyvisible --classname '^launcher\.exe$' 2>/dev/null |
        grep -vx "$menu" | head -n 1) || true
    [ -n "$box" ] && break
    kill -0 "$launcher" 2>/dev/null || break
    sleep 0.1
done
if [ -n "$box" ]; then
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key y
    echo "demo: answered Yes to the Indeo Video question"
fi

status=0
wait "$launcher" || status=$?
echo "demo: launcher.exe ended with exit code $status"
wait_window 'moss\.exe' >/dev/null || fail "the game showed no window"
game_line=$(grep -a 'moss\.exe 4806173' starts.log | tr -d '\r') || fail "moss.exe did not start"
echo "demo: moss.exe started: ${game_line%%$'\t'*} (working folder ${game_line#*$'\t'})"
sleep 0.3
import -window root "$demo/game.png"
echo "demo: screenshot of the demo game saved to $demo/game.png"
"$W" "$bin/closewindow.exe" MossHarborStandIn >/dev/null 2>&1
echo "demo: the demo game was closed; the settings it was started with stay in the registry"
