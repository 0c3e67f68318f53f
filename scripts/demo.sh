#!/usr/bin/env bash
# Builds, then shows the launcher as a player gets it: the release game CD (the i686 build, under
# 32-bit Wine) in drive D: of a private Wine prefix, started with no settings (a first start), so
# the setup runs first, then the menu opens. Without 32-bit Wine the x86_64 CD stands in, and the
# script says so. On $DISPLAY when set, the player drives it (the launcher runs until it ends).
# Otherwise, on a private Xvfb, the script plays the journey through and saves screenshots:
# the menu, Change Settings (OK), Install Software (Indeo and DirectX Media accepted), and Play,
# which starts the demo game.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
bash scripts/build.sh

source scripts/wine-env.sh
if why=$(wine32_missing); then
    echo "demo: no 32-bit Wine, so the x86_64 game CD stands in for the release disc: $why"
    wine_env build/x86_64
else
    wine_env build/i686
fi
source scripts/cdimage.sh
bin="$WINE_BUILD_DIR/bin"
demo="$WINE_BUILD_DIR/demo"
settings='HKLM\SOFTWARE\HALDEN\MOSSHARBOR TRIAL'
rm -rf "$demo"
mkdir -p "$demo"

visible=${DISPLAY:-}
trap 'cd_image_eject d; wine_session_stop' EXIT
wine_session_start
cd_image_insert d
program=$(cd_image_program d)
echo "demo: the $WINE_BUILD_ARCH game CD ($(cd_image_folder)) is in drive D:;" \
    "the player starts $program"
"$W" reg delete "$settings" /f >/dev/null 2>&1 || true
echo "demo: the game's settings are reset: this is the first start, so the setup runs first"
cd "$demo"

if [ -n "$visible" ]; then
    echo "demo: launcher.exe runs on $DISPLAY; Play starts the demo game, Exit ends the demo"
    status=0
    "$W" "$program" </dev/null || status=$?
    echo "demo: launcher.exe ended with exit code $status"
    exit 0
fi

fail() {
    echo "demo: $*" >&2
    exit 1
}
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
# Answers the launcher's next message box after checking its text (6 Yes, 1 OK).
answer() { # text button
    "$W" "$bin/pressbutton.exe" "MOSS HARBOR" "$1" "$2" 15000 >/dev/null 2>&1 ||
        fail "the box \"$1\" did not come"
    local first=${1%%$'\n'*}
    echo "demo: answered \"${first:0:48}...\" with $([ "$2" = 6 ] && echo Yes || echo OK)"
}
# Clicks an item of the menu (client coordinates) and says so.
click_item() { # x y name
    xdotool mousemove $((menu_x + $1)) $((menu_y + $2)) click 1
    echo "demo: clicked $3"
}
started() { # what the stand-ins recorded of one program
    grep -a "$1" starts.log | tr -d '\r' | cut -f 3 | head -n 1
}

# The stand-ins record how they were started.
export MOSS_STANDIN_LOG
MOSS_STANDIN_LOG="$("$W" winepath -w "$demo" 2>/dev/null | tr -d '\r')\\starts.log"
"$W" "$program" >/dev/null 2>&1 </dev/null &
launcher=$!

menu=$(wait_window 'launcher\.exe') || fail "the launcher showed no menu"
echo "demo: the setup ran first: $(started '^minst\.exe')"
sleep 0.5 # let it finish painting
import -window root "$demo/menu.png"
echo "demo: the menu opened; screenshot saved to $demo/menu.png"
eval "$(xdotool getwindowgeometry --shell "$menu")"
menu_x=$X menu_y=$Y

click_item 470 115 "Change Settings"
dialog=""
for _ in $(seq 100); do
    dialog=$(xdotool search --onlyvisible --name '^MOSS HARBOR$' 2>/dev/null | grep -vx "$menu" |
        head -n 1) || true
    [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || fail "the settings dialog did not open"
sleep 0.3
import -window root "$demo/settings.png"
echo "demo: the settings dialog opened; screenshot saved to $demo/settings.png"
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 20)) key Return
echo "demo: OK"
sleep 0.3

click_item 470 300 "Install Software"
# Wine's DirectX is newer than 6.1, so the DirectX 6 question is skipped and no restart is asked.
answer 'Intel(R) Indeo(R) Video 5.11 is required to play MOSS HARBOR.'\
'OK to install Intel(R) Indeo(R) Video 5.11?' 6
answer 'Direct X(R) Media is required to play MOSS HARBOR.OK to install Direct X(R) Media?' 6
wait_window 'launcher\.exe' >/dev/null || fail "the menu did not come back"
for installer in iv5setup dxmedia dxm6ptch; do
    echo "demo: $installer.exe ran: $(started "^$installer\.exe")"
done

sleep 0.3
click_item 470 60 "Play"
# Wine has no Indeo codec with a version: the question comes, once.
answer $'Indeo Video 5.11  may have not been installed.\nMovie may not function properly.'\
$'\nOK to proceed?' 6
status=0
wait "$launcher" || status=$?
echo "demo: launcher.exe ended with exit code $status"
wait_window 'moss\.exe' >/dev/null || fail "the game showed no window"
echo "demo: moss.exe started: $(grep -a 'moss\.exe 4806173' starts.log | tr -d '\r' | cut -f 1)"
sleep 0.3
import -window root "$demo/game.png"
echo "demo: screenshot of the demo game saved to $demo/game.png"
"$W" "$bin/closewindow.exe" MossHarborStandIn >/dev/null 2>&1
echo "demo: the demo game was closed; the settings it was started with stay in the registry"
