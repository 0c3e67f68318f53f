#!/usr/bin/env bash
# Benchmarks under Wine: builds the programs of one build, times one full repaint of the menu
# surface against one 640 x 480 BitBlt, then measures the processor time of the real launcher
# with its menu open and idle for BENCH_IDLE_SECONDS (10 by default). Extra arguments go to
# paint_bench.exe, e.g.
#   bash scripts/bench.sh [--build i686|x86_64] 2000 --save 'Z:\tmp\menu.bmp' 9
# --build picks the build: x86_64 (the default) under wine64, or i686, the release.
set -euo pipefail
cd "$(dirname "$0")/.."

build=x86_64
if [ "${1:-}" = --build ]; then
    build=$2
    shift 2
fi
if ! [[ $build =~ ^(i686|x86_64)$ ]]; then
    echo "usage: bench.sh [--build i686|x86_64] [paint_bench arguments]" >&2
    exit 2
fi
cmake --preset "$build" >/dev/null
cmake --build --preset "$build" -j 2 --target paint_bench launcher moss closewindow keepalive \
    >/dev/null

source scripts/wine-env.sh
source bench/idle_menu.sh
wine_build_runs "$build" || exit 1
wine_env "build/$build"
trap wine_session_stop EXIT
wine_session_start
"$W" "build/$build/bin/paint_bench.exe" "$@" </dev/null
bench_idle_menu "${BENCH_IDLE_SECONDS:-10}"
