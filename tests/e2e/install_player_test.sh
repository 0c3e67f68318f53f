#!/usr/bin/env bash
# Install Software as a player meets it: the game CD in drive D:, the launcher started from it on
# a machine with DirectX 6.0, every question answered Yes, the reboot declined. The stand-ins
# record DirectX 6.1 and the installers' command lines; the menu comes back.
source "$(dirname "$0")/../support/player.sh"

cd_dir="$WINE_CDROM_DIR/d"
if [ -n "$(ls -A "$cd_dir")" ]; then
    echo "install_player: drive D: is not empty"
    exit 1
fi
DIRECTX_KEY='HKLM\SOFTWARE\Microsoft\DirectX'
scratch=$(mktemp -d "$BUILD/install-player-XXXXXX")
log="$scratch/standins.log"
export MOSS_STANDIN_LOG="Z:${log//\//\\}"

# The machine as it was: the settings key kept, the DirectX version noted.
directx_version_now() {
    "$W" reg query "$DIRECTX_KEY" /v Version 2>/dev/null |
        awk '$1 == "Version" { print $3 }' | tr -d '\r'
}
settings_save
directx_version=$(directx_version_now)
restore() {
    set +e # every step runs, also after a failed one: drive D: must be emptied
    xdotool search --onlyvisible --name '^MOSS HARBOR$' >/dev/null 2>&1 &&
        "$W" "$BIN/closewindow.exe" TEST >/dev/null 2>&1
    [ -n "${launcher_job:-}" ] && wait "$launcher_job" 2>/dev/null
    settings_restore
    if [ -n "$directx_version" ]; then
        "$W" reg add "$DIRECTX_KEY" /v Version /d "$directx_version" /f >/dev/null 2>&1
    else
        "$W" reg delete "$DIRECTX_KEY" /v Version /f >/dev/null 2>&1
    fi
    find "$cd_dir" -mindepth 1 -delete
    rm -rf "$scratch"
    # The pointer goes back to the corner: left over a menu item, it would light that item in
    # the next test's menu.
    xdotool mousemove 0 0
}
trap restore EXIT

cp -r "$BIN/gamecd/." "$cd_dir/"
settings_set_dword Setup 1
"$W" reg add "$DIRECTX_KEY" /v Version /d 4.06.00.0318 /f >/dev/null 2>&1

(cd / && timeout 60 "$W" 'D:\launcher.exe' >/dev/null 2>&1 </dev/null
    echo $? >"$scratch/exit-code") &
launcher_job=$!
window=$(find_window "MOSS HARBOR") || {
    fail "the menu opens from the CD"
    finish
    exit 1
}
read -r x y <<<"$(window_position "$window")"

# Install Software (client 325..620 x 270..329).
xdotool mousemove $((x + 470)) $((y + 300)) click 1

answer() { # caption text button
    local said
    said=$("$W" "$BIN/pressbutton.exe" "$1" "$2" "$3" 10000 2>&1 | tr -d '\r') && return 0
    echo "$said"
    return 1
}
Yes=6 OK=1 Cancel=2
check "the DirectX 6 question comes and is answered Yes" answer "MOSS HARBOR" \
    'Direct X(R) 6 is required to play MOSS HARBOR.OK to install Direct X(R) 6?' $Yes
check "the Indeo question comes and is answered Yes" answer "MOSS HARBOR" \
    'Intel(R) Indeo(R) Video 5.11 is required to play MOSS HARBOR.OK to install Intel(R) Indeo(R) Video 5.11?' $Yes
check "the DirectX Media question comes and is answered Yes" answer "MOSS HARBOR" \
    'Direct X(R) Media is required to play MOSS HARBOR.OK to install Direct X(R) Media?' $Yes
check "the reboot question comes last and is answered Cancel" answer "MOSS HARBOR" \
    $'Please reboot to complete the installation.\n OK to reboot?' $Cancel
check "the warning follows and is answered OK" answer "MOSS HARBOR" \
    'MOSS HARBOR will not function properly unless rebooting the computer.' $OK

menu_back=no
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^MOSS HARBOR$' >/dev/null 2>&1 && menu_back=yes && break
    sleep 0.1
done
check "the menu is shown again" test "$menu_back" = yes
check "no further box comes" test -z "$(xdotool search --onlyvisible --class '#32770' 2>/dev/null)"

check "the DirectX setup recorded DirectX 6.1 (now $(directx_version_now))" \
    test "$(directx_version_now)" = 4.06.02.0436
starts=$(cut -f1,3 "$log" 2>/dev/null | tr -d '\r' || true)
expected=$(printf '%s\t%s\n' \
    iv5setup.exe 'D:\redist\iv5setup.exe' \
    dxmedia.exe 'D:\redist\dxmedia.exe -NQ -id:my_GUID' \
    dxm6ptch.exe 'D:\redist\dxm6ptch.exe /c:"isv.inf" /Q:A')
check "the three installers ran in order with their command lines" test "$starts" = "$expected"
[ "$starts" = "$expected" ] || printf 'recorded:\n%s\n' "$starts"

xdotool mousemove $((x + 399)) $((y + 420)) click 1
wait "$launcher_job" 2>/dev/null
launcher_job=
check "Exit then ends the launcher with 0" test "$(cat "$scratch/exit-code")" = 0
finish
