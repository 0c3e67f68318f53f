#!/usr/bin/env bash
# The README's screenshots, taken by the player-level journey from the real launcher under Wine:
# the menu as it opens (docs/menu.png) and the settings dialog opened from it by a click on
# Change Settings (docs/settings-dialog.png).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j 2 >/dev/null

source scripts/wine-env.sh
wine_env build/x86_64
trap wine_session_stop EXIT
wine_session_start
(cd build/x86_64 && ctest --output-on-failure -R '^x86_64\.journey\.player_test$') </dev/null
cp build/x86_64/menu.png docs/menu.png
cp build/x86_64/settings-dialog.png docs/settings-dialog.png
echo "wrote docs/menu.png and docs/settings-dialog.png"
