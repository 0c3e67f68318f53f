#!/usr/bin/env bash
# The whole test suite: installs what is missing, checks formatting, builds both targets and
# runs every test under wine64 in a private prefix (with its own Xvfb when no display is set).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/bootstrap.sh
bash scripts/check-format.sh
bash scripts/build.sh

source scripts/wine-env.sh
wine_env build/x86_64
trap wine_session_stop EXIT
wine_session_start

start=$(date +%s)
status=0
(cd build/x86_64 && ctest --output-on-failure --timeout 300 "$@") </dev/null || status=$?
echo "test suite time: $(($(date +%s) - start)) s"
exit $status
