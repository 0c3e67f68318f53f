# Sourced by scripts/bench.sh inside its Wine session: the processor time that the real
# launcher.exe uses while its menu is open and nobody touches it.
#   bench_idle_menu SECONDS
# Starts launcher.exe on a scratch game folder whose setup is marked done, waits for the menu,
# reads the process's user and system time from /proc before and after SECONDS of idling, then
# closes the menu. The settings key is put back as it was.

idle_settings_key='HKLM\SOFTWARE\HALDEN\MOSSHARBOR TRIAL'

# utime + stime of a process, in clock ticks (fields 14 and 15 of /proc/PID/stat, counted
# after the parenthesised command name).
process_ticks() {
    awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}

# The wineserver of this prefix: the one whose environment names our WINEPREFIX.
own_wineserver() {
    local pid
    for pid in $(pgrep -x wineserver64 || true); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

percent_of_core() { # ticks seconds
    awk -v t="$1" -v s="$2" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

bench_idle_menu() {
    local seconds=${1:-10} bin="$WINE_BUILD_DIR/bin" folder saved="" launcher server
    local window="" start_launcher start_server start_x end_launcher end_server end_x
    folder=$(mktemp -d "$WINE_BUILD_DIR/bench-XXXXXX")
    cp "$bin/launcher.exe" "$bin/DSETUP.dll" "$bin/moss.exe" "$folder/"
    if "$W" reg query "$idle_settings_key" >/dev/null 2>&1; then
        saved="$folder/settings.reg"
        "$W" reg export "$idle_settings_key" 'Z:'"${saved//\//\\}" /y >/dev/null 2>&1
    fi
    "$W" reg add "$idle_settings_key" /v Setup /t REG_DWORD /d 1 /f >/dev/null 2>&1

    (cd "$folder" && exec "$W" launcher.exe >/dev/null 2>&1 </dev/null) &
    launcher=$!
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^MOSS HARBOR$' 2>/dev/null | head -n 1 ||
            true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "idle menu: the menu did not appear" >&2
    else
        sleep 1 # let the first paint and Wine's own start-up work settle
        server=$(own_wineserver || true)
        start_launcher=$(process_ticks "$launcher")
        start_server=$([ -n "$server" ] && process_ticks "$server" || echo 0)
        start_x=$([ -n "${WINE_XVFB_PID:-}" ] && process_ticks "$WINE_XVFB_PID" || echo 0)
        sleep "$seconds"
        end_launcher=$(process_ticks "$launcher")
        end_server=$([ -n "$server" ] && process_ticks "$server" || echo 0)
        end_x=$([ -n "${WINE_XVFB_PID:-}" ] && process_ticks "$WINE_XVFB_PID" || echo 0)
        echo "idle open menu over $seconds s," \
            "processor time (clock tick $((1000 / $(getconf CLK_TCK))) ms)"
        printf '  %-22s %3d ticks  %s %% of one core (%d ticks to start and open)\n' \
            "$(cat "/proc/$launcher/comm")" $((end_launcher - start_launcher)) \
            "$(percent_of_core $((end_launcher - start_launcher)) "$seconds")" "$start_launcher"
        printf '  wineserver (all Wine)  %3d ticks  %s %%\n' $((end_server - start_server)) \
            "$(percent_of_core $((end_server - start_server)) "$seconds")"
        [ -z "${WINE_XVFB_PID:-}" ] ||
            printf '  Xvfb                   %3d ticks  %s %%\n' $((end_x - start_x)) \
                "$(percent_of_core $((end_x - start_x)) "$seconds")"
    fi

    "$W" "$bin/closewindow.exe" TEST >/dev/null 2>&1 </dev/null || true
    for _ in $(seq 100); do
        kill -0 "$launcher" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$launcher" 2>/dev/null && kill "$launcher"
    wait "$launcher" 2>/dev/null || true
    "$W" reg delete "$idle_settings_key" /f >/dev/null 2>&1 || true
    [ -z "$saved" ] || "$W" reg import 'Z:'"${saved//\//\\}" >/dev/null 2>&1
    rm -rf "$folder"
}
