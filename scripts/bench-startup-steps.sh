#!/usr/bin/env bash
# Where the start-up time and memory go, step by step, for the launcher and the two floors with
# DirectDraw of scripts/bench-startup.sh, medians of several runs:
#   bash scripts/bench-startup-steps.sh [--runs N] [--renderer gl|gdi] [--launcher EXE]
#                                       [--build i686|x86_64]
# Nothing is added to the programs: each run is watched from outside. Wine traces the few calls
# that end a step (WINEDEBUG=+timestamp,+relay with RelayInclude naming only them) while
# startup_probe logs the program's working set on the same clock (STARTUP_PROBE_MEMORY);
# bench/startup_steps.awk cuts the run at the marks below. Relaying slows each traced call a
# little, so these runs give the shares; bench-startup.sh gives the totals. For each step: its
# median time, the median growth of the working set over it, and the median peak at its end.
# --renderer, --launcher and --build as for bench-startup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5
renderer=
other_launcher=
source bench/startup_session.sh
startup_options "bench-startup-steps.sh [--runs N] [--renderer gl|gdi] [--launcher EXE] \
[--build i686|x86_64]" "$@"

# "MARK|STEP": the step ends at the first MARK of the program after the end of the step before:
# "Call DLL.Function", "Ret DLL.Function", or "Call|Ret window|dialog proc WM_MESSAGE". The last
# step ends at the first frame of the final picture, as startup_probe sees it.
launcher_steps=(
    "Call KERNEL32.CreateMutexA|process start to WinMain (loader, DLLs, C runtime)"
    "Call user32.RegisterClassA|instance guard, colour depth, game location"
    "Call user32.CreateDialogParamA|window class"
    "Call dialog proc WM_INITDIALOG|dialog window and its font, up to WM_INITDIALOG"
    "Call ddraw.DirectDrawEnumerateA|settings loaded"
    "Ret ddraw.DirectDrawEnumerateA|driver enumeration, primary object made beside it"
    "Ret dialog proc WM_INITDIALOG|surface, labels, palettes, regions, painting"
    "Ret window proc WM_PAINT|window shown, first WM_PAINT"
)
enumeration_steps=(
    "Call user32.GetSystemMetrics|process start to WinMain (loader, DLLs, C runtime)"
    "Call ddraw.DirectDrawEnumerateA|ddraw.dll loaded"
    "Call ddraw.DirectDrawCreate|DirectDrawEnumerateA up to its first driver"
    "Ret ddraw.DirectDrawCreate|DirectDrawCreate of the driver"
    "Ret ddraw.DirectDrawEnumerateA|driver examined, object released"
    "Ret user32.CreateWindowExA|window created"
    "Ret window proc WM_PAINT|window shown, first WM_PAINT"
)
object_steps=(
    "Call user32.GetSystemMetrics|process start to WinMain (loader, DLLs, C runtime)"
    "Call ddraw.DirectDrawCreate|ddraw.dll loaded"
    "Ret ddraw.DirectDrawCreate|DirectDrawCreate"
    "Call user32.RegisterClassA|capabilities read, object released"
    "Ret user32.CreateWindowExA|window created"
    "Ret window proc WM_PAINT|window shown, first WM_PAINT"
)

startup_session_start "$renderer" "$other_launcher"
startup_save_key 'HKCU\Software\Wine\Debug' debug
relayed=$(printf '%s\n' "${launcher_steps[@]}" "${enumeration_steps[@]}" "${object_steps[@]}" |
    sed -nE 's/^(Call|Ret) ([A-Za-z0-9_]+\.[A-Za-z0-9_]+)\|.*/\2/p' | sort -u | paste -sd';')
"$W" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d "$relayed" /f >/dev/null 2>&1

# One traced run: appends "step ms growth_kb peak_kb" lines to the kind's file.
traced_run() { # kind program [argument]
    local kind=$1 marks
    shift
    declare -n steps="${kind}_steps"
    marks=$(printf '%s\n' "${steps[@]}" | cut -d'|' -f1 | paste -sd'|')
    for _ in 1 2; do
        STARTUP_PROBE_MEMORY="$scratch/memory" WINEDEBUG=+timestamp,+pid,+relay \
            "$W" "$bin/startup_probe.exe" 0 "$@" >"$scratch/probe.out" 2>"$scratch/trace" \
            </dev/null || continue
        awk -v marks="$marks" -f bench/startup_steps.awk "$scratch/memory" "$scratch/trace" \
            >>"$scratch/$kind" && return 0
    done
    echo "bench-startup-steps: no traced start-up of $*: $(cat "$scratch/probe.out")" >&2
    return 1
}

step_median() { awk -v s="$2" -v c="$3" '$1 == s { print $c }' "$scratch/$1" | median; }

echo "bench-startup-steps: $runs traced runs, renderer ${renderer:-of the prefix}"
for run in $(seq "$runs"); do
    traced_run object "$floor" ddraw
    traced_run enumeration "$floor" enumerate
    traced_run launcher "$launcher"
done

for kind in object enumeration launcher; do
    declare -n steps="${kind}_steps"
    names=("${steps[@]#*|}" "to the first frame on screen" "total")
    echo
    case $kind in
        object) echo "floor+DirectDraw (one object)" ;;
        enumeration) echo "floor+enumeration" ;;
        launcher) echo "launcher" ;;
    esac
    printf '  %-50s %6s %10s %8s\n' step ms "growth KB" "peak KB"
    for i in "${!names[@]}"; do
        printf '  %-50s %6s %10s %8s\n' "${names[i]}" "$(step_median "$kind" $((i + 1)) 2)" \
            "$(step_median "$kind" $((i + 1)) 3)" "$(step_median "$kind" $((i + 1)) 4)"
    done
done
