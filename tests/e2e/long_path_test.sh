#!/usr/bin/env bash
# A game folder of 250 characters: the launcher's own path (263 characters) is longer than
# MAX_PATH, the game's beside it (259) is not. The launcher reads its whole module path, finds
# the game and opens its menu. (Wine's CreateProcess refuses such paths, its loader does not,
# hence a shell test in the suite's session.)
source "$(dirname "$0")/../support/player.sh"
[ ! -e "$WINE_CDROM_DIR/d/moss.exe" ] && [ ! -e "$WINE_CDROM_DIR/e/moss.exe" ] ||
    { echo "FAIL: a moss.exe was left on a CD drive"; exit 1; }

parent=$(mktemp -d "$BUILD/long-path.XXXXXX")
settings_save
trap 'settings_restore; rm -rf "$parent"' EXIT
settings_delete
settings_set_dword Setup 1
windows_parent=$(winepath_of "$parent")
folder="$parent/$(printf 'q%.0s' $(seq $((250 - ${#windows_parent} - 1))))"
mkdir "$folder"
cp "$BIN"/{launcher.exe,DSETUP.dll,moss.exe} "$folder/"
windows_folder=$(winepath_of "$folder")

start_launcher "$folder"
opened=no
find_window "MOSS HARBOR" >/dev/null && opened=yes
"$W" "$BIN/closewindow.exe" TEST >/dev/null 2>&1 </dev/null || true
check "in a folder of ${#windows_folder} characters the launcher finds the game beside it" \
    test $opened = yes
check "a close request ends it with exit code 0" test "$(wait_launcher "$folder")" = 0
finish
