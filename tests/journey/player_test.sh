#!/usr/bin/env bash
# The player's journey on the X screen, with the real pointer and keys. A setup that is nowhere,
# fails or crashes, and a launcher without its game: each ends with 0 and puts no window on the
# screen. Then the game CD in D: on a machine with DirectX 6.0 and no sound device: the setup runs
# before any window; the menu opens once, whole and centred; the highlight follows pointer and
# keys; Play refuses; Install Software, every question answered and the reboot declined; Change
# Settings; Play refuses again, now for sound; a drag; Exit. Then a folder of 250 characters and a
# screen of 256 colours. Leaves the README's menu.png and settings-dialog.png in the build folder.
source "$(dirname "$0")/../support/player.sh"
source "$(dirname "$0")/../../scripts/cdimage.sh"
exec 3< <(Xvfb -displayfd 1 -screen 0 640x480x8 -nolisten tcp 2>/dev/null) # ready when needed
CLEANUP+="; kill $!; cd_image_eject d"
DIRECTX='HKLM\SOFTWARE\Microsoft\DirectX'
keep 'HKLM\SOFTWARE\HALDEN' && keep "$DIRECTX" # HALDEN holds the settings key
mkdir "$SCRATCH/game" "$SCRATCH/plain"
cp "$BIN"/{launcher.exe,DSETUP.dll} "$SCRATCH/plain"
cp "$SCRATCH"/plain/* "$BIN/moss.exe" "$SCRATCH/game"
export MOSS_STANDIN_LOG && MOSS_STANDIN_LOG=$(winpath "$SCRATCH/log")
setups() { grep -c $'^minst.exe\t.*\tD:\\\\minst.exe /E$' "$SCRATCH/log" || :; }

watch_screen
for run in "$SCRATCH/game/launcher.exe" "$SCRATCH/plain/launcher.exe" \
    'D:\launcher.exe MOSS_MINST_EXIT=1' 'D:\launcher.exe MOSS_MINST_CRASH=1'; do
    registry delete "$KEY" /f || :
    [ "$run" = "${run#D:}" ] || cd_image_insert d
    launch $run && ended && codes+=" $CODE"
done
check "no setup, no game, a setup that fails, one that crashes: each ends with 0 ($codes)" \
    test "$codes" = " 0 0 0 0"
check "the setups ran as D:\\minst.exe /E" test "$(setups)" = 2
check "no window reached the screen" test -z "$(mapped)"
registry add "$KEY" /v Setup /t REG_QWORD /d 1 /f    # 8 bytes: no setup done
registry add "$DIRECTX" /v Version /d 4.06.00.0318 /f # DirectX 6.0
launch "$(cd_image_program d)" ALSA_CONFIG_PATH=/dev/null # no sound device
check "the menu opens from D:" until_true shown "MOSS HARBOR" && menu=$(shown "MOSS HARBOR")
check "a \"Setup\" stored in 8 bytes is no setup done: the setup ran first" test "$(setups)" = 3
centred=$(xdotool getdisplaygeometry | awk '{ print ($1 - 640) / 2, ($2 - 480) / 2 }')
check "then one window reached the screen, the whole menu, centred: $(mapped | tr "\n" ";")" \
    test "$(mapped)" = "$centred 640 480"
read -r x y _ <<<"$(mapped)"

orange='rgb(255,120,30)'
# The cells of 148 x 60 pixels from (325, 30) of the menu, numbered row by row, that show the
# highlight colour: Play lights "0 1", Change Settings "2 3", Exit "12", Help "13".
orange_in() { # x y width height convert-options: that part of the shot, orange white, rest black
    convert "$SCRATCH/shot.png" -crop "$3x$4+$((x + $1))+$((y + $2))" \
        -fill black +opaque "$orange" -fill white -opaque "$orange" "${@:5}"
}
lit() {
    import -window root "$SCRATCH/shot.png" &&
        orange_in 325 30 296 420 -scale '2x7!' -depth 8 gray:- | od -An -tu1 -v -w1 |
        awk '$1 { s = s sep NR - 1; sep = " " } END { print s }'
}
lights() { for _ in $(seq 50); do [ "$(lit)" = "$1" ] && return; done && false; }

check "Play is lit as the menu opens" lights "0 1"
convert "$SCRATCH/shot.png" -crop "640x480+$x+$y" "$BUILD/menu.png"
xdotool mousemove $((x + 399)) $((y + 420))
check "the pointer on Exit lights it instead" lights 12
xdotool key Tab Down Up
check "Tab, Down, Up: on to Help, round to Play, back to Help" lights 13
xdotool key Tab Escape Tab
check "Escape does nothing: Tab, Escape, Tab go from Help past Play to Change Settings" lights "2 3"
xdotool key Up Return
check "Up back to Play, Enter runs it: DirectX 6 is asked for" \
    press "MOSS HARBOR" "Please install DirectX (R)6 or above first." 1

xdotool mousemove $((x + 470)) $((y + 300)) click 1
set -- 6 'Direct X(R) 6 is required to play MOSS HARBOR.OK to install Direct X(R) 6?' \
    6 'Intel(R) Indeo(R) Video 5.11 is required to play MOSS HARBOR.'\
'OK to install Intel(R) Indeo(R) Video 5.11?' \
    6 'Direct X(R) Media is required to play MOSS HARBOR.OK to install Direct X(R) Media?' \
    2 $'Please reboot to complete the installation.\n OK to reboot?' \
    1 'MOSS HARBOR will not function properly unless rebooting the computer.'
for _ in 1 2 3 4 5; do
    check "Install Software: \"$2\" comes, answered $1" press "MOSS HARBOR" "$2" "$1" && shift 2
done
check "the menu comes back" until_true shown "MOSS HARBOR"
check "the DirectX setup recorded DirectX 6.1" \
    eval '"$W" reg query "$DIRECTX" /v Version | grep -q "REG_SZ *4.06.02.0436"'
installers=$(printf '%s\t%s\n' iv5setup.exe 'D:\redist\iv5setup.exe' \
    dxmedia.exe 'D:\redist\dxmedia.exe -NQ -id:my_GUID' \
    dxm6ptch.exe 'D:\redist\dxm6ptch.exe /c:"isv.inf" /Q:A')
check "the installers ran from D: with their command lines" \
    test "$(cut -f1,3 "$SCRATCH/log" | tail -n 3)" = "$installers"

# The settings dialog, found on the screen with its button OFF (2001), as a player finds it.
rect() { "$W" "$BIN/windowrect.exe" '#32770' "MOSS HARBOR" "$@" 2>/dev/null </dev/null; }
dialog() { rect 2001 >/dev/null; }
middle() { read -r l t r b _ <<<"$1" && xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)); }
xdotool mousemove $((x + 473)) $((y + 120)) && lights "2 3"
hardware=$(orange_in 325 120 296 16 -format '%[fx:mean*w*h]' info:)
stored=$("$W" reg query "$KEY")
xdotool click 1
check "a click on Change Settings opens the settings dialog" until_true dialog
read -r l t r b _ <<<"$(rect)"
import -window root -crop "$((r - l))x$((b - t))+$l+$t" "$BUILD/settings-dialog.png"
middle "$(rect)" && xdotool key Escape && check "Escape closes it" until_true eval '! dialog'
xdotool mousemove $((x + 473)) $((y + 120)) click 1
until_true dialog && middle "$(rect 2001)" && xdotool click 1 key Return
check "OFF, then Enter for OK, closes it" until_true eval '! dialog'
xdotool mousemove $((x + 473)) $((y + 120)) && lights "2 3"
software=$(orange_in 325 120 296 16 -format '%[fx:mean*w*h]' info:)
check "the second line, \"Hardware Accelerate\" ($hardware pixels), is \"Software\" ($software)" \
    awk -v h="$hardware" -v s="$software" 'BEGIN { exit !(s > 0 && 2 * s < h) }'
check "nothing reached the registry" test "$("$W" reg query "$KEY")" = "$stored"

xdotool mousemove $((x + 400)) $((y + 60)) click 1
check "Play now finds no sound device" \
    press "MOSS HARBOR" "Direct Sound compatible sound device could not be found." 1
xdotool mousemove $((x + 150)) $((y + 450)) mousedown 1 mousemove $((x + 175)) $((y + 465))
xdotool mousemove $((x + 200)) $((y + 480)) mouseup 1
check "dragging the background moves the menu by 50, 30" until_true eval \
    'xdotool getwindowgeometry "$menu" | grep -q "Position: $((x + 50)),$((y + 30)) "'
xdotool mousemove $((x + 449)) $((y + 450)) click 1
ended && check "Exit ends the launcher with 0" test "$CODE" = 0
cd_image_eject d
check "no manifest of the disc's launcher.exe asks for an execution level" \
    eval '! grep -qa requestedExecutionLevel "$BIN/gamecd/launcher.exe"'

long=$SCRATCH/$(printf 'q%.0s' $(seq $((250 - 3 - ${#SCRATCH}))))
cp -r "$SCRATCH/game" "$long"
launch "$long/launcher.exe"
check "from a folder of 250 characters the menu opens" until_true shown "MOSS HARBOR"
"$W" "$BIN/closewindow.exe" TEST >/dev/null 2>&1 </dev/null || :
ended && check "and a close request ends it with 0" test "$CODE" = 0

read -r -t 10 depth8 <&3 && launch "$SCRATCH/plain/launcher.exe" DISPLAY=":$depth8"
check "at 256 colours, with no game anywhere, the colour message comes first" press "MOSS HARBOR" \
    "Please set the screen color to High Color(16 BIT) and reboot." 1
ended && check "and the launcher ends with 1" test "$CODE" = 1
echo "every check passed"
