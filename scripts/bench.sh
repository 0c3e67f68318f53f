#!/usr/bin/env bash
# Benchmarks under Wine: builds the x86_64 target, times one full repaint of the menu surface
# against one 640 x 480 BitBlt, then measures the processor time of the real launcher with its
# menu open and idle for BENCH_IDLE_SECONDS (10 by default). Extra arguments go to
# paint_bench.exe, e.g.
#   bash scripts/bench.sh 2000 --save 'Z:\tmp\menu.bmp' 9
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j 2 --target paint_bench launcher moss closewindow keepalive \
    >/dev/null

source scripts/wine-env.sh
source bench/idle_menu.sh
wine_env build/x86_64
trap wine_session_stop EXIT
wine_session_start
"$W" build/x86_64/bin/paint_bench.exe "$@" </dev/null
bench_idle_menu "${BENCH_IDLE_SECONDS:-10}"
