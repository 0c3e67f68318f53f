#!/usr/bin/env bash
# Configures and builds both targets: build/x86_64 (tests, demo) and build/i686 (release).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
for preset in x86_64 i686; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
