#!/usr/bin/env bash
# The release CD as it ships: the zip the i686 build packs holds exactly the disc's files, the
# same as the release CD folder, every program on it is 32-bit, and autorun.inf starts the
# launcher at the disc's root and shows its icon. The disc of the build under test holds the
# same files.
#   game_cd_package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
release="$build/../i686"
zip="$release/moss-harbor-cd.zip"
release_cd="$release/bin/gamecd"
test_cd="$build/bin/gamecd"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

expected='DSETUP.dll
HELP/TOP.HTM
autorun.inf
launcher.exe
minst.exe
moss.exe
redist/DirectX6/dxsetup.ini
redist/dxm6ptch.exe
redist/dxmedia.exe
redist/iv5setup.exe'

files_of() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

[ -f "$zip" ] || {
    echo "FAIL: no $zip: build the i686 preset first"
    exit 1
}
listed=$(cmake -E tar tf "$zip" | grep -v '/$' | LC_ALL=C sort)
[ "$listed" = "$expected" ] || fail "the zip lists:"$'\n'"$listed"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
diff -r "$unpacked" "$release_cd" >/dev/null || fail "the zip differs from $release_cd"
[ "$(files_of "$test_cd")" = "$expected" ] || fail "the disc of $build holds:"$'\n'"$(files_of "$test_cd")"

# Every program of the release disc runs on 32-bit Windows.
while read -r program; do
    format=$(x86_64-w64-mingw32-objdump -f "$unpacked/$program" | sed -n 's/.*file format //p')
    [ "$format" = pei-i386 ] || fail "$program is $format, not a 32-bit program"
done < <(grep -iE '\.(exe|dll)$' <<<"$expected")

# autorun.inf: an INI file with CRLF lines; [autorun] names a program at the disc's root to open
# and that program's first icon.
inf="$unpacked/autorun.inf"
[ "$(grep -c $'\r$' "$inf")" -eq "$(wc -l <"$inf")" ] || fail "autorun.inf has lines without CR"
value() { tr -d '\r' <"$inf" | awk -F= -v key="$1" '
    /^\[/ { section = tolower($0) }
    section == "[autorun]" && tolower($1) == key { print substr($0, length($1) + 2); exit }'; }
open=$(value open)
icon=$(value icon)
[ -n "$open" ] && [ -f "$unpacked/$open" ] || fail "autorun opens \"$open\", not a file on the disc"
[ "$open" = launcher.exe ] || fail "autorun opens \"$open\" rather than the launcher"
[ "$icon" = "$open,0" ] || fail "autorun shows the icon \"$icon\" rather than the launcher's first"

echo "game CD package: $failures failures"
[ "$failures" -eq 0 ]
