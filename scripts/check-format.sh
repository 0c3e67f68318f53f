#!/usr/bin/env bash
# Fails when any C or C++ file of the repo is not formatted by .clang-format, or when a shell
# script has a line longer than 100 columns (the C++ limit too).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts=$(git ls-files -co --exclude-standard -- '*.sh' .ci/run)
long=$(echo "$scripts" | xargs -r awk 'length > 100 { print FILENAME ":" FNR }')
if [ -n "$long" ]; then
    printf 'check-format: longer than 100 columns: %s\n' $long >&2
    exit 1
fi
files=$(git ls-files -co --exclude-standard -- '*.c' '*.cpp' '*.h')
[ -z "$files" ] && exit 0
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
