#!/usr/bin/env bash
# A launcher whose own path is longer than its 259-character module-name buffer gets a truncated
# name. Cut at its last backslash, that name points into the parent folder: the moss.exe placed
# there is not the game beside the launcher, so the launcher must not open its menu for it; with
# nothing on the CDs it ends with 0. (Wine's CreateProcess refuses such paths, its loader does
# not, hence a shell test in the suite's session.)
#   long_path_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/../../scripts/wine-env.sh"
wine_tools "$(wine_pe_arch "$build/bin/launcher.exe")"
[ -n "${WINEPREFIX:-}" ] || { echo "long_path: run through scripts/test.sh"; exit 2; }
if [ -e "$WINE_CDROM_DIR/d/moss.exe" ] || [ -e "$WINE_CDROM_DIR/e/moss.exe" ]; then
    echo "long_path: a moss.exe was left on a CD drive"
    exit 1
fi

parent=$(mktemp -d "$build/long-path.XXXXXX")
trap 'rm -rf "$parent"' EXIT
windows_parent="Z:${parent//\//\\}"
deep_name=$(printf 'q%.0s' $(seq $((260 - ${#windows_parent}))))
mkdir "$parent/$deep_name"
cp "$build"/bin/{launcher.exe,DSETUP.dll,moss.exe} "$parent/$deep_name/"
cp "$build/bin/moss.exe" "$parent/"

status=0
(cd "$parent" && timeout 15 "$W" "$windows_parent\\$deep_name\\launcher.exe" \
    >/dev/null 2>&1 </dev/null) || status=$?
echo "long_path: module path of $((${#windows_parent} + 1 + ${#deep_name} + 13)) characters," \
    "exit code $status"
# 124: still running after 15 s, i.e. it opened its menu for the wrong game.
[ "$status" -eq 0 ]
