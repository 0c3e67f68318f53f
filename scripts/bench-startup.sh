#!/usr/bin/env bash
# Start-up figures under Wine, side by side in one run, medians of several runs:
#   - the launcher of the game CD of one build (build/<build>/bin/gamecd, settings of a finished
#     setup);
#   - the floor: emptywindow.exe, one empty 640 x 480 window;
#   - the floor with one DirectDraw object created first (the headline: the device list needs
#     at least one DirectDraw object);
#   - the floor with the DirectDraw calls that the menu's device list makes, one after the
#     other: one driver enumeration and, per driver, one object asked through IDirectDraw4.
# For each: the time from process start to the first frame of its final picture (startup_probe,
# watching the screen from outside) and the peak working set (VmHWM of its Wine process); for
# the launcher also the processor time of the open, idle menu (utime + stime in /proc).
#   bash scripts/bench-startup.sh [--runs N] [--idle SECONDS] [--renderer gl|gdi] [--launcher EXE]
#                                 [--build i686|x86_64]
# --renderer sets Wine's Direct3D renderer (HKCU\Software\Wine\Direct3D "renderer") for the
# run; the default is the prefix's own (OpenGL). --launcher measures that launcher.exe (beside a
# moss.exe, e.g. of another build) instead of this build's. The settings key and the renderer
# value are put back afterwards. --build picks the build tree, its Wine and its prefix: x86_64
# (the default) under wine64, or i686, the release, under 32-bit Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5
idle=10
renderer=
other_launcher=
source bench/startup_session.sh
startup_options "bench-startup.sh [--runs N] [--idle SECONDS] [--renderer gl|gdi] \
[--launcher EXE] [--build i686|x86_64]" "$@"
startup_session_start "$renderer" "$other_launcher"
tick=$(getconf CLK_TCK)

# The Unix process of a Wine program, found by the path it was started with.
unix_pid() {
    local pid
    for _ in $(seq 100); do
        pid=$(pgrep -n -f "^$1( |\$)" || true)
        [ -n "$pid" ] && echo "$pid" && return 0
        sleep 0.05
    done
    return 1
}
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
peak_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

# One run: prints "startup_ms visible_ms pictures peak_kb idle_cpu_ms start_cpu_ms".
measure() { # idle_seconds program [argument]
    local seconds=$1 program=$2 argument=${3:-} out="$scratch/probe.out" probe pid line
    # Emptied here, not by the background job's redirection: the wait below could otherwise
    # still read the line of the run before.
    : >"$out"
    "$W" "$bin/startup_probe.exe" $((seconds + 2)) "$program" $argument >>"$out" 2>&1 </dev/null &
    probe=$!
    for _ in $(seq 600); do
        grep -q startup_ms "$out" && break
        kill -0 "$probe" 2>/dev/null || break
        sleep 0.05
    done
    line=$(grep startup_ms "$out" || true)
    pid=$(unix_pid "$program") || true
    if [ -z "$line" ] || [ -z "$pid" ]; then
        echo "bench-startup: no steady window from $program: $(cat "$out")" >&2
        wait "$probe" || true
        return 1
    fi
    local before after=0 idle_ms=0 peak
    before=$(cpu_ticks "$pid")
    if [ "$seconds" -gt 0 ]; then
        sleep "$seconds"
        after=$(cpu_ticks "$pid")
        idle_ms=$(((after - before) * 1000 / tick))
    fi
    peak=$(peak_kb "$pid")
    wait "$probe" || {
        echo "bench-startup: $program did not close: $(cat "$out")" >&2
        return 1
    }
    sed -E 's/visible_ms=([0-9.]+) startup_ms=([0-9.]+) pictures=([0-9]+)/\2 \1 \3/' <<<"$line" |
        awk -v peak="$peak" -v idle="$idle_ms" -v start=$((before * 1000 / tick)) \
            '{ print $0, peak, idle, start }'
}

names=(floor floor+DirectDraw floor+enumeration launcher)
for name in "${names[@]}"; do : >"$scratch/$name"; done
echo "bench-startup: $runs runs, idle menu over $idle s, renderer ${renderer:-of the prefix}"
echo "run  program             start-up ms  visible ms  pictures  peak KB  CPU to open ms" \
    " idle CPU ms"
for run in $(seq "$runs"); do
    for name in "${names[@]}"; do
        # Wine now and then fails to start a process (error 1359): one more try.
        case $name in
            floor) result=$(measure 0 "$floor" || measure 0 "$floor") ;;
            floor+DirectDraw) result=$(measure 0 "$floor" ddraw || measure 0 "$floor" ddraw) ;;
            floor+enumeration)
                result=$(measure 0 "$floor" enumerate || measure 0 "$floor" enumerate)
                ;;
            launcher) result=$(measure "$idle" "$launcher" || measure "$idle" "$launcher") ;;
        esac
        echo "$result" >>"$scratch/$name"
        read -r ms visible pictures peak idle_ms start_ms <<<"$result"
        printf '%3d  %-18s  %11s  %10s  %8s  %7s  %14s  %11s\n' "$run" "$name" "$ms" "$visible" \
            "$pictures" "$peak" "$start_ms" "$([ "$name" = launcher ] && echo "$idle_ms" || echo -)"
    done
done

column_median() { awk -v c="$2" '{ print $c }' "$scratch/$1" | median; }
fastest() { awk '{ print $1 }' "$scratch/$1" | sort -n | head -n 1; }
echo
echo "medians            start-up ms  peak working set KB  CPU to open ms  fastest start-up ms"
for name in "${names[@]}"; do
    printf '%-18s %12s  %19s  %14s  %19s\n' "$name" "$(column_median "$name" 1)" \
        "$(column_median "$name" 4)" "$(column_median "$name" 6)" "$(fastest "$name")"
done
# On shared cores a busy neighbour slows some runs several times over: the fastest runs show
# the ratio with the least of that noise, beside the medians.
echo
echo "launcher / floor   start-up  peak working set  start-up of the fastest runs"
ratios() { # floor [target_startup target_memory]
    awk -v name="$1" -v ls="$(column_median launcher 1)" -v fs="$(column_median "$1" 1)" \
        -v lm="$(column_median launcher 4)" -v fm="$(column_median "$1" 4)" \
        -v lf="$(fastest launcher)" -v ff="$(fastest "$1")" \
        -v ts="${2:-}" -v tm="${3:-}" 'BEGIN {
        s = ls / fs; m = lm / fm
        printf "%-18s %9.2f  %16.2f  %28.2f", name, s, m, lf / ff
        if (ts != "")
            printf "   target at most %s and %s: %s", ts, tm,
                s <= ts && m <= tm ? "meets" : "misses"
        print ""
    }'
}
ratios floor+DirectDraw 1.2 1.1
ratios floor+enumeration
ratios floor
awk -v idle_ms="$(column_median launcher 5)" -v seconds="$idle" 'BEGIN {
    if (seconds == 0)
        exit
    cpu = idle_ms / (seconds * 10)
    printf "idle menu  %.2f %% of one core over %d s (target below 1 %%): %s\n", cpu, seconds,
        cpu < 1 ? "meets" : "misses"
}'
