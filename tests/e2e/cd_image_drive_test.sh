#!/usr/bin/env bash
# The game CD of the build under test, exactly as it is laid out, in drive E: through
# scripts/cdimage.sh (as the demo puts it there): the program autorun.inf opens is the launcher
# at the disc's root; with the game's setup done it finds the game beside itself and opens its
# menu; a close request ends it with 0; ejected, the drive is empty again.
source "$(dirname "$0")/../support/player.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/cdimage.sh"

[ -z "$(ls -A "$WINE_CDROM_DIR/e")" ] || {
    echo "FAIL: something was left on the disc in E:"
    exit 1
}
scratch=$(mktemp -d)
settings_delete
settings_set_dword Setup 1
trap 'cd_image_eject e; settings_delete; rm -rf "$scratch"' EXIT

cd_image_insert e
program=$(cd_image_program e)
check "autorun.inf opens the launcher at the disc's root ($program)" test "$program" = 'E:\launcher.exe'
("$W" "$program" >/dev/null 2>&1 </dev/null; echo $? >"$scratch/exit-code") &

opened=no
find_window "MOSS HARBOR" >/dev/null && opened=yes
"$W" "$BIN/closewindow.exe" TEST >/dev/null 2>&1 </dev/null || true
check "the launcher on the disc finds the game beside itself and opens its menu" test $opened = yes
check "a close request ends it with exit code 0" test "$(wait_launcher "$scratch")" = 0

cd_image_eject e
check "ejected, drive E: is an empty folder again" \
    test -d "$WINE_CDROM_DIR/e" -a ! -L "$WINE_CDROM_DIR/e" -a -z "$(ls -A "$WINE_CDROM_DIR/e")"
finish
