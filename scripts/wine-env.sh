# Sourced by the test, demo and benchmark scripts: one private Wine environment per build tree.
#   wine_env BUILD_DIR     exports WINEPREFIX and friends (nothing touches ~/.wine)
#   wine_session_start     prefix (created once), display, persistent wineserver, keepalive
#   wine_session_stop      stops what wine_session_start started
#   wine_map_cdrom L DIR   makes DIR the CD-ROM drive L: of the prefix (restarts the server)
# The prefix always has two CD-ROM drives, D: and E:, backed by $WINE_CDROM_DIR/d and /e, so
# tests change what is "on the disc" by writing those folders, without a server restart.

W=/usr/lib/wine/wine64
WS=/usr/lib/wine/wineserver64

wine_env() {
    local build
    build=$(cd "$1" && pwd)
    export WINE_BUILD_DIR="$build"
    export WINEPREFIX="$build/wineprefix"
    export WINEDEBUG=-all
    # No Mono or Gecko download prompts in a closed network.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # DirectSound lists devices only when ALSA has one; a null PCM is enough.
    export ALSA_CONFIG_PATH="$build/wine-alsa.conf"
    export WINE_CDROM_DIR="$build/cdrom"
    [ -f "$ALSA_CONFIG_PATH" ] || echo 'pcm.!default { type null }' >"$ALSA_CONFIG_PATH"
    mkdir -p "$WINE_CDROM_DIR/d" "$WINE_CDROM_DIR/e"
}

wine_display_start() {
    [ -n "${DISPLAY:-}" ] && return 0
    local fifo dpy
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${WINE_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    WINE_XVFB_PID=$!
    read -r -t 20 dpy <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$dpy" ]; then
        echo "wine-env: Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$dpy" WINE_XVFB_PID
}

wine_display_stop() {
    if [ -n "${WINE_XVFB_PID:-}" ]; then
        kill "$WINE_XVFB_PID" 2>/dev/null || true
        wait "$WINE_XVFB_PID" 2>/dev/null || true
        unset WINE_XVFB_PID DISPLAY
    fi
}

wine_server_restart() {
    "$WS" -k >/dev/null 2>&1 || true
    "$WS" -w >/dev/null 2>&1 || true
    # Wine's background processes inherit the stderr of the first Wine process after the
    # server starts: keep it away from CTest's pipes, or CTest waits on them forever.
    "$WS" -p >/dev/null 2>&1 </dev/null
    "$W" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

wine_map_cdrom() {
    local letter=${1,,} dir
    dir=$(cd "$2" && pwd)
    ln -sfn "$dir" "$WINEPREFIX/dosdevices/$letter:"
    "$W" reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d cdrom /f >/dev/null 2>&1
    wine_server_restart
}

# Bumped whenever wine_prefix_init changes, so an older prefix is set up again.
WINE_PREFIX_VERSION=2

wine_prefix_init() {
    [ -f "$WINEPREFIX/.launcher-prefix-$WINE_PREFIX_VERSION" ] && return 0
    echo "wine-env: creating the Wine prefix $WINEPREFIX (once)"
    "$W" wineboot -i >/dev/null 2>&1 </dev/null
    # No window manager here: unmanaged windows avoid a 2 s wait on every hidden dialog.
    "$W" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    ln -sfn "$WINE_CDROM_DIR/d" "$WINEPREFIX/dosdevices/d:"
    ln -sfn "$WINE_CDROM_DIR/e" "$WINEPREFIX/dosdevices/e:"
    "$W" reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null 2>&1
    "$W" reg add 'HKLM\Software\Wine\Drives' /v e: /d cdrom /f >/dev/null 2>&1
    # The artwork's labels and the settings dialog use "Times New Roman": draw them with its
    # metric twin rather than Wine's wider default.
    "$W" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
        /d 'Liberation Serif' /f >/dev/null 2>&1
    "$WS" -k >/dev/null 2>&1 || true
    "$WS" -w >/dev/null 2>&1 || true
    touch "$WINEPREFIX/.launcher-prefix-$WINE_PREFIX_VERSION"
}

wine_session_start() {
    wine_display_start || return 1
    wine_prefix_init
    wine_server_restart
    # One idle GUI process keeps Wine's desktop process alive between tests.
    local keepalive="$WINE_BUILD_DIR/bin/keepalive.exe"
    if [ -f "$keepalive" ]; then
        "$W" "$keepalive" >/dev/null 2>&1 </dev/null &
        WINE_KEEPALIVE_PID=$!
    fi
}

wine_session_stop() {
    "$WS" -k >/dev/null 2>&1 || true
    "$WS" -w >/dev/null 2>&1 || true
    [ -z "${WINE_KEEPALIVE_PID:-}" ] || wait "$WINE_KEEPALIVE_PID" 2>/dev/null || true
    unset WINE_KEEPALIVE_PID
    wine_display_stop
}
