#!/usr/bin/env bash
# Change Settings as a player meets it: clicking the item opens the settings dialog over the
# menu, Escape closes it and gives the menu back, and turning Hardware Accelerate OFF with OK
# changes the item's second line from "Hardware Accelerate" to "Software". Nothing reaches the
# registry before the next Play.
source "$(dirname "$0")/../support/player.sh"

folder=$(make_game_folder)
shots=$(mktemp -d)
settings_save
trap 'settings_restore; rm -rf "$folder" "$shots"' EXIT
settings_delete
settings_set_dword Setup 1

start_launcher "$folder"
if ! find_window "MOSS HARBOR" >/dev/null || ! rect=$(window_rect TEST "MOSS HARBOR"); then
    fail "the menu window appears"
    finish
    exit 1
fi
read -r _ _ _ _ mx my _ <<<"$rect" # the menu's client origin on the screen

orange='rgb(255,120,30)'
dialog=('#32770' "MOSS HARBOR")
# Change Settings is item 1 at (325, 90), 296 wide: its first line's cell starts 13 pixels under
# the item's top, the second line's 30.
change_settings_x=$((mx + 400))
change_settings_y=$((my + 120))
second_line() { ink_extent "$1" $((mx + 325)) $((my + 120)) 296 16 "$orange"; }
first_line() { convert "$1" -crop 296x16+$((mx + 325))+$((my + 103)) +repage "$2"; }
# The text of a centred line is centred on the item: 148 pixels into it, give or take the side
# bearings of the letters.
centred() { # width left
    local middle=$(($2 + $1 / 2))
    [ "$middle" -ge 142 ] && [ "$middle" -le 154 ]
}

hover_change_settings() {
    xdotool mousemove $change_settings_x $change_settings_y
    sleep 0.3
}

# Wine's adapter is accelerated in full screen, and the default options ask for acceleration.
hover_change_settings
screenshot "$shots/before.png"
read -r wide wide_left <<<"$(second_line "$shots/before.png")"
# In the 14-pixel bold label font "Hardware Accelerate" (19 letters) is about 115 pixels of ink,
# "Software" (8) about 45.
check "on opening the second line reads \"Hardware Accelerate\" (ink ${wide} px wide)" \
    test "$wide" -gt 85
check "the second line is centred on the item" centred "$wide" "$wide_left"

# Change Settings opens the dialog; Escape closes it and the menu is back.
xdotool click 1
if wait_window "${dialog[@]}"; then
    echo "ok: clicking Change Settings opens the dialog of class #32770 titled \"MOSS HARBOR\""
    passes=$((passes + 1))
    read -r dl dt dr db _ <<<"$(window_rect "${dialog[@]}")"
    screenshot "$shots/dialog.png"
    convert "$shots/dialog.png" -crop "$((dr - dl))x$((db - dt))+$dl+$dt" +repage \
        "$BUILD/settings-dialog.png"
    # Keys go to the window under the pointer here: point at the dialog as a player looks at it.
    xdotool mousemove $(((dl + dr) / 2)) $(((dt + db) / 2)) key Escape
    check "Escape closes the dialog" wait_window_gone "${dialog[@]}"
else
    fail "clicking Change Settings opens the dialog of class #32770 titled \"MOSS HARBOR\""
fi
check "the menu is still open after Escape" wait_window TEST "MOSS HARBOR"
xdotool mousemove $((mx + 399)) $((my + 420))
sleep 0.3
screenshot "$shots/exit.png"
check "the menu follows the pointer again after Escape" \
    greater "$(colour_fraction "$shots/exit.png" $((mx + 325)) $((my + 390)) 148 60 "$orange")" 0
hover_change_settings
screenshot "$shots/cancelled.png"
check "Escape keeps \"Hardware Accelerate\"" \
    test "$(second_line "$shots/cancelled.png")" = "$wide $wide_left"

# Hardware Accelerate OFF (the option the dialog selects when it opens), then OK.
xdotool click 1
if wait_window "${dialog[@]}"; then
    click_control "${dialog[@]}" 2001 # OFF
    sleep 0.2
    click_control "${dialog[@]}" 1 # OK
    check "OK closes the dialog" wait_window_gone "${dialog[@]}"
else
    fail "Change Settings opens the dialog a second time"
fi
hover_change_settings
screenshot "$shots/after.png"
read -r narrow narrow_left <<<"$(second_line "$shots/after.png")"
check "after OFF and OK the second line reads \"Software\" (ink ${narrow} px wide)" \
    test "$narrow" -gt 0 -a "$narrow" -lt 65 -a $((2 * narrow)) -lt "$wide"
check "\"Software\" is centred on the item" centred "$narrow" "$narrow_left"
first_line "$shots/before.png" "$shots/first-before.png"
first_line "$shots/after.png" "$shots/first-after.png"
check "the first line \"Change Settings\" is unchanged" \
    test "$(compare -metric AE "$shots/first-before.png" "$shots/first-after.png" null: 2>&1)" = 0
in_registry() { "$W" reg query "$SETTINGS_KEY" /v "$1" >/dev/null 2>&1; }
check "the settings key still holds \"Setup\"" in_registry Setup
nothing_written() { ! in_registry Option0 && ! in_registry "Device ID"; }
check "the dialog wrote neither \"Option0\" nor \"Device ID\" to the registry" nothing_written

xdotool mousemove $((mx + 399)) $((my + 420)) click 1
check "Exit then ends the launcher with exit code 0" test "$(wait_launcher "$folder")" = 0
finish
