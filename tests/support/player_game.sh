# Sourced after player.sh by the player-level tests of the first start and of Play: Windows
# paths, the settings key kept as it was, the stand-in game's window, and a watch on what the
# X screen shows.

# The Windows path of a Unix path, as Wine's programs see it.
winepath_of() { "$W" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

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

# A visible window of a program (Wine names the X class after the executable), 10 s at most.
find_window_of_class() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --classname "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
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
