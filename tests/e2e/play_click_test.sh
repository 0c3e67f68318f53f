#!/usr/bin/env bash
# The road of one Play click, as a player meets it: the launcher opens on a game folder, a real
# click on Play brings the Indeo question (Wine has no versioned codec), the player answers Yes
# with the keyboard, the game starts with its launch token in the launcher's working folder,
# the settings are saved, and the launcher ends with 0, freeing its names for the next start.
source "$(dirname "$0")/../support/player.sh"

folder=$(make_game_folder)
work=$(mktemp -d "$BUILD/player-cwd-XXXXXX") # the launcher's working folder, not its own
settings_save
restore() {
    "$W" "$BIN/closewindow.exe" MossHarborStandIn >/dev/null 2>&1 || true
    settings_restore
    rm -rf "$folder" "$work"
}
trap restore EXIT
settings_delete
settings_set_dword Setup 1
export MOSS_STANDIN_LOG
MOSS_STANDIN_LOG="$(winepath_of "$work")\\starts.log"

(cd "$work" && "$W" "$folder/launcher.exe" >/dev/null 2>&1 </dev/null; echo $? >"$folder/exit-code") &
menu=$(find_window "MOSS HARBOR") || {
    fail "the menu window appears"
    finish
    exit 1
}
read -r x y <<<"$(window_position "$menu")"

# A real click on the Play item; its box is modal to the menu.
xdotool mousemove $((x + 400)) $((y + 60)) click 1
box=""
for _ in $(seq 100); do
    box=$(xdotool search --onlyvisible --name '^MOSS HARBOR$' 2>/dev/null | grep -vx "$menu" | head -n 1) || true
    [ -n "$box" ] && break
    sleep 0.1
done
check "Play asks the Indeo question in a box of its own" test -n "$box"
if [ -n "$box" ]; then
    read -r box_w box_h <<<"$(window_size "$box")"
    check "the question is a small box (${box_w}x${box_h}), not the menu" test "$box_w" -lt 640
    read -r box_x box_y <<<"$(window_position "$box")"
    xdotool mousemove $((box_x + box_w / 2)) $((box_y + box_h / 2)) key y
fi

check "the launcher ends with exit code 0" test "$(wait_launcher "$folder")" = 0
game=$(find_window --classname 'moss\.exe') || true
check "the stand-in game shows its window" test -n "$game"
expected="$(winepath_of "$folder")\\moss.exe 4806173"$'\t'"$(winepath_of "$work")"
recorded=$(tr -d '\r' <"$work/starts.log" 2>/dev/null || true)
check "moss.exe started once, as \"<full path> 4806173\" in the launcher's working folder" \
    test "$recorded" = "$expected"
[ "$recorded" = "$expected" ] || echo "  recorded: $recorded"$'\n'"  expected: $expected"

values=$("$W" reg query "$SETTINGS_KEY" 2>/dev/null | tr -d '\r')
check "the twelve settings are in the registry" test "$(grep -c 'REG_' <<<"$values")" -eq 12
check "\"Indeo Check\" is stored as 1" grep -Eq 'Indeo Check +REG_DWORD +0x1$' <<<"$values"
check "\"Setup\" is kept as 1" grep -Eq 'Setup +REG_DWORD +0x1$' <<<"$values"

# The game holds its own name while it runs; once it is closed a new launcher opens its menu,
# so the first one released all four of its names.
"$W" "$BIN/closewindow.exe" MossHarborStandIn >/dev/null 2>&1
for _ in $(seq 100); do
    xdotool search --onlyvisible --classname '^moss\.exe$' >/dev/null 2>&1 || break
    sleep 0.1
done
rm -f "$folder/exit-code"
start_launcher "$folder"
check "a new launcher opens its menu" find_window "MOSS HARBOR" >/dev/null
"$W" "$BIN/closewindow.exe" TEST >/dev/null 2>&1
check "and closes with 0" test "$(wait_launcher "$folder")" = 0
finish
