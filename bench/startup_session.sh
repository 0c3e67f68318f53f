# Sourced by scripts/bench-startup.sh and scripts/bench-startup-steps.sh.
#   startup_options USAGE ARGUMENTS...
#                                    sets runs, renderer, other_launcher and build from --runs N,
#                                    --renderer gl|gdi, --launcher EXE and --build i686|x86_64
#                                    (x86_64 by default), and idle from
#                                    --idle SECONDS when the caller set a default for it; any
#                                    other argument prints USAGE and ends the script
#   startup_session_start RENDERER [LAUNCHER]
#                                    builds what the start-up figures run, starts the suite's Wine
#                                    session on build/$build (the release: i686) with the game's
#                                    setup marked done and, unless RENDERER is empty, Wine's
#                                    Direct3D renderer set to it;
#                                    LAUNCHER (a launcher.exe beside a moss.exe, e.g. of another
#                                    build, to compare) is measured instead of this build's
#   startup_save_key KEY NAME        the key is put back as it was (or absent) when the script ends
#   median                           the median of the numbers on standard input
# Sets bin (the build's programs), floor and launcher (their Windows paths) and scratch (a
# folder removed at the end).

startup_options() {
    local usage=$1
    shift
    while [ $# -gt 0 ]; do
        case $1 in
            --runs)
                runs=$2
                shift 2
                ;;
            --renderer)
                renderer=$2
                shift 2
                ;;
            --launcher)
                other_launcher=$2
                shift 2
                ;;
            --build)
                build=$2
                shift 2
                ;;
            --idle)
                [ -n "${idle:-}" ] || break
                idle=$2
                shift 2
                ;;
            *)
                break
                ;;
        esac
    done
    if [ $# -gt 0 ] || ! [[ ${build:=x86_64} =~ ^(i686|x86_64)$ ]]; then
        echo "usage: $usage" >&2
        exit 2
    fi
}

startup_session_start() {
    cmake --preset "$build" >/dev/null
    # keepalive keeps Wine's desktop process up between runs, as in the test suite: without it
    # every run would also pay for starting the desktop.
    cmake --build --preset "$build" -j 2 --target gamecd startup_probe emptywindow keepalive \
        >/dev/null

    source scripts/wine-env.sh
    wine_build_runs "$build" || exit 1
    wine_env "build/$build"
    bin="$WINE_BUILD_DIR/bin"
    floor="Z:$bin/emptywindow.exe"
    launcher="Z:$bin/gamecd/launcher.exe"
    [ -z "${2:-}" ] || launcher="Z:$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
    scratch=$(mktemp -d)
    saved_keys=()
    trap startup_session_stop EXIT
    wine_session_start
    startup_save_key 'HKLM\SOFTWARE\HALDEN\MOSSHARBOR TRIAL' settings
    "$W" reg add 'HKLM\SOFTWARE\HALDEN\MOSSHARBOR TRIAL' /v Setup /t REG_DWORD /d 1 /f \
        >/dev/null 2>&1
    if [ -n "$1" ]; then
        startup_save_key 'HKCU\Software\Wine\Direct3D' direct3d
        "$W" reg add 'HKCU\Software\Wine\Direct3D' /v renderer /d "$1" /f >/dev/null 2>&1
    fi
}

startup_save_key() {
    "$W" reg export "$1" "$scratch/$2.reg" /y >/dev/null 2>&1 || rm -f "$scratch/$2.reg"
    saved_keys+=("$1|$2")
}

startup_session_stop() {
    local entry
    for entry in "${saved_keys[@]}"; do
        "$W" reg delete "${entry%|*}" /f >/dev/null 2>&1 || true
        [ ! -f "$scratch/${entry#*|}.reg" ] ||
            "$W" reg import "$scratch/${entry#*|}.reg" >/dev/null 2>&1
    done
    wine_session_stop
    rm -rf "$scratch"
}

median() {
    sort -n | awk '{ v[NR] = $1 }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
