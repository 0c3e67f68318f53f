#!/usr/bin/env bash
# The first start as a player meets it ("Setup" 0), watched on the X screen: the game's setup
# runs, then the menu appears once, whole and centred; a setup that fails, crashes or is
# nowhere ends the launcher with 0 without ever putting a window on the screen.
source "$(dirname "$0")/../support/player.sh"

folder=$(make_game_folder)
cp "$BIN/minst.exe" "$folder/"
watch_log=$(mktemp)
settings_save
trap 'screen_watch_stop; settings_restore; rm -rf "$folder" "$watch_log"' EXIT
export MOSS_STANDIN_LOG
MOSS_STANDIN_LOG="$(winepath_of "$folder")\\starts.log"
setup_starts() { grep -c '^minst\.exe' "$folder/starts.log" 2>/dev/null || true; }

# Runs one first start to its end (10 s at most) under the screen watch; its exit code goes to
# code.
first_start_to_end() {
    settings_delete
    rm -f "$folder/exit-code"
    screen_watch_start "$watch_log"
    start_launcher "$folder"
    code=$(wait_launcher "$folder")
    screen_watch_stop
}

for failure in MOSS_MINST_EXIT=1 MOSS_MINST_CRASH=1 "no minst.exe"; do
    before=$(setup_starts)
    ran=1
    case $failure in
        MOSS_*) export "${failure?}" ;;
        *) mv "$folder/minst.exe" "$folder/minst.off" && ran=0 ;;
    esac
    first_start_to_end
    case $failure in
        MOSS_*) unset "${failure%%=*}" ;;
        *) mv "$folder/minst.off" "$folder/minst.exe" ;;
    esac
    check "$failure: the launcher ends with 0 (got $code)" test "$code" = 0
    check "$failure: the setup ran $ran time(s)" test "$(setup_starts)" -eq $((before + ran))
    check "$failure: the launcher created its menu window (the watch saw it)" \
        test "$(screen_watch_creations)" -ge 1
    check "$failure: no window reached the screen" test -z "$(screen_watch_maps)"
done

settings_delete
rm -f "$folder/exit-code"
screen_watch_start "$watch_log"
start_launcher "$folder"
menu=$(find_window "MOSS HARBOR") || true
screen_watch_stop
check "after a setup that succeeds the menu opens" test -n "$menu"
check "the setup ran with /E" grep -q 'minst\.exe /E$' "$folder/starts.log"
maps=$(screen_watch_maps)
centred="$(centred_at 640 480) 640 480"
check "one window appeared, the whole menu at the centre (shown: ${maps//$'\n'/; })" \
    test "$maps" = "$centred"
setup_value=$("$W" reg query "$SETTINGS_KEY" /v Setup 2>/dev/null | tr -d '\r')
check "the setup left \"Setup\" 1" grep -Eq 'Setup +REG_DWORD +0x1$' <<<"$setup_value"
"$W" "$BIN/closewindow.exe" TEST >/dev/null 2>&1
check "the menu closes with 0" test "$(wait_launcher "$folder")" = 0
finish
