# Sourced by the test, demo and benchmark scripts: one private Wine environment per build tree.
#   wine_env BUILD_DIR     exports WINEPREFIX and friends (nothing touches ~/.wine) and sets
#                          W and WS, the loader and server of the build's architecture
#   wine_session_start     prefix (created once), display, persistent wineserver, keepalive
#   wine_session_stop      stops what wine_session_start started
#   wine_map_cdrom L DIR   makes DIR the CD-ROM drive L: of the prefix (restarts the server)
#   wine32_missing         why 32-bit Wine cannot run the i686 build here; fails when it can
#   wine_build_runs ARCH   fails, saying why, when the build ARCH cannot run under Wine here
# The prefix always has two CD-ROM drives, D: and E:, backed by $WINE_CDROM_DIR/d and /e, so
# tests change what is "on the disc" by writing those folders, without a server restart.

WINE_ENV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# i686 or x86_64: the machine of a PE file's header.
wine_pe_arch() {
    local header machine
    header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
    [ -n "$header" ] || return 1
    machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    case $machine in
    014c) echo i686 ;;
    8664) echo x86_64 ;;
    *) return 1 ;;
    esac
}

# The loader and server that run programs of one architecture. wine64 handed an i686 program
# prints nothing and exits 0, so each build gets its own.
wine_tools() {
    case $1 in
    i686) W=/usr/lib/wine/wine WS=/usr/lib/wine/wineserver32 ;;
    x86_64) W=/usr/lib/wine/wine64 WS=/usr/lib/wine/wineserver64 ;;
    *) return 1 ;;
    esac
}

wine_env() {
    local build arch
    build=$(cd "$1" && pwd)
    arch=$(wine_pe_arch "$build/bin/launcher.exe") || {
        echo "wine-env: no launcher.exe in $build/bin: build it first" >&2
        return 1
    }
    wine_tools "$arch"
    export WINE_BUILD_DIR="$build" WINE_BUILD_ARCH="$arch"
    export WINEPREFIX="$build/wineprefix"
    # A 32-bit prefix for the i686 build: the Windows the release is made for.
    if [ "$arch" = i686 ]; then export WINEARCH=win32; else export WINEARCH=win64; fi
    export WINEDEBUG=-all
    # No Mono or Gecko download prompts in a closed network.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # DirectSound lists devices only when ALSA has one; a null PCM is enough.
    export ALSA_CONFIG_PATH="$build/wine-alsa.conf"
    export WINE_CDROM_DIR="$build/cdrom"
    [ -f "$ALSA_CONFIG_PATH" ] || echo 'pcm.!default { type null }' >"$ALSA_CONFIG_PATH"
    mkdir -p "$WINE_CDROM_DIR/d" "$WINE_CDROM_DIR/e"
}

# scripts/bootstrap.sh notes here why it could not install 32-bit Wine.
WINE32_MISSING_NOTE="$WINE_ENV_ROOT/build/wine32-missing"

wine32_missing() {
    if [ -f "$WINE32_MISSING_NOTE" ]; then
        cat "$WINE32_MISSING_NOTE"
    elif [ ! -x /usr/lib/wine/wine ] || [ ! -x /usr/lib/wine/wineserver32 ]; then
        echo "32-bit Wine (/usr/lib/wine/wine) is not installed: run scripts/bootstrap.sh as root"
    else
        return 1
    fi
}

wine_build_runs() {
    local why
    if [ "$1" = i686 ] && why=$(wine32_missing); then
        echo "wine-env: the i686 build cannot run here: $why" >&2
        return 1
    fi
}

wine_display_start() {
    [ -n "${DISPLAY:-}" ] && return 0
    local fifo dpy
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${WINE_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fifo" \
        >/dev/null 2>&1 &
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

# Waits for the server to end on its own once its last program has, for two minutes at most.
wine_server_wait() {
    timeout 120 "$WS" -w >/dev/null 2>&1 || "$WS" -k >/dev/null 2>&1 || true
}

# Bumped whenever wine_prefix_init changes, so an older prefix is set up again.
WINE_PREFIX_VERSION=5

wine_prefix_init() {
    [ -f "$WINEPREFIX/.launcher-prefix-$WINE_PREFIX_VERSION" ] && return 0
    echo "wine-env: creating the Wine prefix $WINEPREFIX (once)"
    "$W" wineboot -i >/dev/null 2>&1 </dev/null
    # wineboot returns before all it started has ended (the 32-bit half of a 64-bit prefix, the
    # menu builder): wait for the server to end with them instead of killing them half done.
    wine_server_wait
    # No window manager here: unmanaged windows avoid a 2 s wait on every hidden dialog.
    "$W" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A program that crashes ends with its backtrace on standard error, instead of waiting for a
    # player to close Wine's crash dialog.
    "$W" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1
    ln -sfn "$WINE_CDROM_DIR/d" "$WINEPREFIX/dosdevices/d:"
    ln -sfn "$WINE_CDROM_DIR/e" "$WINEPREFIX/dosdevices/e:"
    "$W" reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null 2>&1
    "$W" reg add 'HKLM\Software\Wine\Drives' /v e: /d cdrom /f >/dev/null 2>&1
    # The artwork's labels and the settings dialog use "Times New Roman": draw them with its
    # metric twin rather than Wine's wider default.
    "$W" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
        /d 'Liberation Serif' /f >/dev/null 2>&1
    wine_server_wait
    touch "$WINEPREFIX/.launcher-prefix-$WINE_PREFIX_VERSION"
}

wine_session_start() {
    if [ -z "${WINEPREFIX:-}" ] || [ -z "${W:-}" ]; then
        echo "wine-env: no Wine environment: call wine_env first" >&2
        return 1
    fi
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
    # A keepalive that had not reached the server yet starts a server of its own and would run
    # on: end it, then that server.
    if [ -n "${WINE_KEEPALIVE_PID:-}" ]; then
        kill "$WINE_KEEPALIVE_PID" 2>/dev/null || true
        wait "$WINE_KEEPALIVE_PID" 2>/dev/null || true
        "$WS" -k >/dev/null 2>&1 || true
    fi
    "$WS" -w >/dev/null 2>&1 || true
    unset WINE_KEEPALIVE_PID
    wine_display_stop
}
