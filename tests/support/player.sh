# Sourced by the journey scripts (argument: the build folder; the environment of scripts/test.sh):
# the Wine of that build, a scratch folder, registry keys put back as found, the real launcher
# started and waited for, windows found and watched on the X screen; the first failed check ends
# the run.
set -euo pipefail
BUILD=$(cd "$1" && pwd) && BIN=$BUILD/bin
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
wine_tools "$(wine_pe_arch "$BIN/launcher.exe")"
KEY='HKLM\SOFTWARE\HALDEN\MOSSHARBOR TRIAL'
SCRATCH=$(mktemp -d "$BUILD/journey-XXXXXX")
CLEANUP=: LAUNCHERS= # CLEANUP: what the script itself undoes at its end
trap 'set +e; kill -9 $LAUNCHERS 2>/dev/null; eval "$CLEANUP"; rm -rf "$SCRATCH"' EXIT
xdotool mousemove 0 0 # a pointer left over an item would light it as the menu opens

winpath() { local path=${1//\//\\}; echo "Z:$path"; }
registry() { "$W" reg "$@" >/dev/null 2>&1; }
keep() { # registry key: put back as found at the end
    local copy
    copy=$(winpath "$SCRATCH/key$RANDOM.reg") && registry export "$1" "$copy" /y || copy=
    CLEANUP+="; registry delete '$1' /f${copy:+; registry import '$copy'}"
}

# The first failed check ends the journey.
check() { "${@:2}" >/dev/null && echo "ok: $1" || { echo "FAIL: $1" && exit 1; }; }

# Starts a launcher.exe (Unix or Windows path) in the scratch folder with extra environment.
launch() {
    (cd "$SCRATCH" && exec env "${@:2}" "$W" "$1") >/dev/null 2>&1 </dev/null &
    LAUNCHER=$! LAUNCHERS+=" $!"
}
ended() { # CODE: its exit code, or "running" after 10 s
    CODE=running && timeout 10 tail -s 0.05 --pid="$LAUNCHER" -f /dev/null || return 0
    CODE=0 && wait "$LAUNCHER" || CODE=$?
}
until_true() { for _ in $(seq 100); do "$@" && return || sleep 0.1; done && false; }
shown() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1 | grep .; }
press() { "$W" "$BIN/pressbutton.exe" "$@" 10000 >/dev/null 2>&1; } # caption text button-id

# Watches the X screen: the top-level windows mapped meanwhile, with the place and size each had
# then, Wine's 1 x 1 helpers left out. Once the watch sees a property change of its own, it has
# seen all that the screen did before.
watch_screen() {
    xev -root -event substructure -event property >"$SCRATCH/xev" 2>/dev/null &
    CLEANUP+="; kill $!" && mapped
}
notes() { grep -sc PropertyNotify "$SCRATCH/xev" || :; } # none while xev opens its file
mapped() { # "x y width height" a line
    local seen && seen=$(notes)
    until_true eval 'xprop -root -f JOURNEY 8s -set JOURNEY 1
        [ "$(notes)" -gt '"${seen:-0}"' ] 2>/dev/null'
    awk 'match($0, /window 0x[0-9a-f]+, \(-?[0-9]+,-?[0-9]+\), width [0-9]+, height [0-9]+/) {
            split(substr($0, RSTART + 7, RLENGTH - 7), f, /[ ,()]+/)
            at[f[1]] = f[2] " " f[3] " " f[5] " " f[7] }
        /^MapNotify/ { getline; match($0, /window 0x[0-9a-f]+/)
            split(at[substr($0, RSTART + 7, RLENGTH - 7)], g, " ")
            if (g[3] > 1 || g[4] > 1) print g[1], g[2], g[3], g[4] }' "$SCRATCH/xev"
}
