# Sourced by the player-level tests: start the real launcher under Wine and drive it like a
# player, with xdotool and screenshots. Needs the environment of scripts/test.sh.
set -euo pipefail

W=/usr/lib/wine/wine64
BUILD=$(cd "$1" && pwd)
BIN="$BUILD/bin"
SETTINGS_KEY='HKLM\SOFTWARE\HALDEN\MOSSHARBOR TRIAL'
failures=0
passes=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

check() { # check "what" command...
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
        passes=$((passes + 1))
    else
        fail "$what"
    fi
}

# A game folder holding the launcher, DSETUP.dll and the demo game; printed as a Unix path.
make_game_folder() {
    local folder
    folder=$(mktemp -d "$BUILD/player-XXXXXX")
    cp "$BIN/launcher.exe" "$BIN/DSETUP.dll" "$BIN/moss.exe" "$folder/"
    echo "$folder"
}

settings_set_dword() { "$W" reg add "$SETTINGS_KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
settings_delete() { "$W" reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 || true; }

# Starts launcher.exe of a folder in the background; its exit code lands in $folder/exit-code.
start_launcher() {
    local folder=$1
    (cd "$folder" && "$W" launcher.exe >/dev/null 2>&1 </dev/null; echo $? >"$folder/exit-code") &
    LAUNCHER_JOB=$!
}

# Waits (10 s at most) until launcher.exe of a folder has ended; prints its exit code.
wait_launcher() {
    local folder=$1
    for _ in $(seq 100); do
        [ -f "$folder/exit-code" ] && cat "$folder/exit-code" && return 0
        sleep 0.1
    done
    echo "timeout"
}

# The visible window with the given title (10 s at most).
find_window() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}

window_position() { xdotool getwindowgeometry --shell "$1" | awk -F= '/^[XY]=/{printf "%s ", $2}'; }
window_size() { xdotool getwindowgeometry --shell "$1" | awk -F= '/^(WIDTH|HEIGHT)=/{printf "%s ", $2}'; }

screenshot() { import -window root "$1"; }

# Fraction of the pixels of a rectangle (screen coordinates) that have exactly one colour.
colour_fraction() { # file x y w h colour
    convert "$1" -crop "$4x$5+$2+$3" +repage -fill black +opaque "$6" -fill white -opaque "$6" \
        -colorspace Gray -format '%[fx:mean]' info:
}

# Mean brightness (0..1) of a rectangle.
brightness() { # file x y w h
    convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -format '%[fx:mean]' info:
}

greater() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

finish() {
    echo "$passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}
