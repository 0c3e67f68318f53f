# Sourced by the player-level tests: start the real launcher under Wine and drive it like a
# player, with xdotool and screenshots; keep the settings key as it was; watch what the X screen
# shows; find windows and controls as a player reads them off the screen. Needs the environment
# of scripts/test.sh.
set -euo pipefail

BUILD=$(cd "$1" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
wine_tools "$(wine_pe_arch "$BUILD/bin/launcher.exe")" # W: the Wine of this build
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

# The Windows path of a Unix path, as Wine's programs see it.
winepath_of() { "$W" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

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

# The visible window with the given title, or with --classname the given X class (Wine names
# it after the executable); 10 s at most.
find_window() { # [--classname] PATTERN
    local by=--name id=""
    [ "$1" = --classname ] && by=--classname && shift
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible "$by" "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}

# "x y" where a window of that size sits when centred on the screen.
centred_at() { # width height
    xdpyinfo | awk -v w="$1" -v h="$2" \
        '/dimensions:/ { split($2, d, "x"); print int((d[1] - w) / 2), int((d[2] - h) / 2) }'
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

# Keeps the settings key as it is now; settings_restore puts it back (or deletes it again).
settings_save() {
    SETTINGS_SAVED=$(mktemp -d)
    SETTINGS_EXISTED=0
    "$W" reg export "$SETTINGS_KEY" "$(winepath_of "$SETTINGS_SAVED")\\settings.reg" /y \
        >/dev/null 2>&1 && SETTINGS_EXISTED=1
    return 0
}
settings_restore() {
    settings_delete
    [ "$SETTINGS_EXISTED" = 0 ] ||
        "$W" reg import "$(winepath_of "$SETTINGS_SAVED")\\settings.reg" >/dev/null 2>&1
    rm -rf "$SETTINGS_SAVED"
}

# Records every top-level window the X server creates, moves and maps into a file, until
# screen_watch_stop. The log shows whether a window ever reached the screen, even briefly.
screen_watch_start() {
    SCREEN_WATCH_LOG=$1
    xev -root -event substructure >"$SCREEN_WATCH_LOG" 2>/dev/null &
    SCREEN_WATCH_PID=$!
    sleep 0.2 # xev has selected its events before anything starts
}
screen_watch_stop() {
    kill "$SCREEN_WATCH_PID" 2>/dev/null || true
    wait "$SCREEN_WATCH_PID" 2>/dev/null || true
}
# "x y width height" of each window mapped (shown), at the moment it was mapped, one a line.
# Wine maps 1 x 1 helper windows off the screen's edge for itself; nobody sees those.
screen_watch_maps() {
    awk '
        /^[A-Za-z]+ event,/ { event = $1; body = 1; next }
        body {
            body = 0
            if (!match($0, /window 0x[0-9a-f]+/)) next
            window = substr($0, RSTART + 7, RLENGTH - 7)
            if (match($0, /\(-?[0-9]+,-?[0-9]+\), width [0-9]+, height [0-9]+/)) {
                g = substr($0, RSTART, RLENGTH)
                gsub(/[(),]|width |height /, " ", g)
                split(g, part, " +")
                geometry[window] = part[2] " " part[3] " " part[4] " " part[5]
            }
            if (event != "MapNotify") next
            split(geometry[window], size, " ")
            if (size[3] > 1 || size[4] > 1) print geometry[window]
        }' "${SCREEN_WATCH_LOG:?}"
}
# How many windows were created meanwhile (shown or not).
screen_watch_creations() { grep -c '^CreateNotify event' "${SCREEN_WATCH_LOG:?}" || true; }

# "left top right bottom" of the window and then of its client area, in screen pixels; fails
# while there is no such visible window or control.
window_rect() { # CLASS TITLE [CONTROL-ID]
    "$W" "$BIN/windowrect.exe" "$@" 2>/dev/null </dev/null
}

# Waits (10 s at most) until the window is there, or until it is gone.
wait_window() {
    for _ in $(seq 50); do
        window_rect "$@" >/dev/null && return 0
        sleep 0.2
    done
    return 1
}
wait_window_gone() {
    for _ in $(seq 50); do
        window_rect "$@" >/dev/null || return 0
        sleep 0.2
    done
    return 1
}

# Clicks the middle of a control with the real pointer.
click_control() { # CLASS TITLE CONTROL-ID
    local rect l t r b
    rect=$(window_rect "$@") || return 1
    read -r l t r b _ <<<"$rect"
    xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
}

# Width and left edge, within the rectangle, of the pixels of exactly one colour: "W X", or
# "0 0" when there are none.
ink_extent() { # file x y w h colour
    if [ "$(colour_fraction "$@")" = 0 ]; then
        echo "0 0"
        return
    fi
    convert "$1" -crop "$4x$5+$2+$3" +repage -fill black +opaque "$6" -trim \
        -format '%w %[fx:page.x]' info:
}

finish() {
    echo "$passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}
