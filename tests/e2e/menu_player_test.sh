#!/usr/bin/env bash
# The menu as a player meets it: a centred 640 x 480 window, the bar follows the pointer, the
# background drags the window, Exit ends the launcher with 0.
source "$(dirname "$0")/../support/player.sh"

folder=$(make_game_folder)
settings_save
trap 'settings_restore; rm -rf "$folder"' EXIT
settings_delete
settings_set_dword Setup 1

start_launcher "$folder"
window=$(find_window "MOSS HARBOR") || {
    fail "the menu window appears"
    finish
    exit 1
}

read -r width height <<<"$(window_size "$window")"
read -r x y <<<"$(window_position "$window")"
check "the window is 640 x 480 (got ${width}x${height})" test "$width" -eq 640 -a "$height" -eq 480
check "the window is centred (at $x,$y)" test "$x $y" = "$(centred_at 640 480)"

orange='rgb(255,120,30)'
shots=$(mktemp -d)
# Play is highlighted when the menu opens.
screenshot "$shots/open.png"
# The menu as it opens, for the README (scripts/screenshots.sh).
convert "$shots/open.png" -crop "640x480+$x+$y" +repage "$BUILD/menu.png"
play_lit=$(colour_fraction "$shots/open.png" $((x + 325)) $((y + 30)) 296 60 "$orange")
exit_dark=$(brightness "$shots/open.png" $((x + 325)) $((y + 390)) 148 60)
check "Play's label is in the highlight colour on opening" greater "$play_lit" 0

# Hovering Exit moves the bar and the highlight colour there.
xdotool mousemove $((x + 399)) $((y + 420))
sleep 0.3
screenshot "$shots/hover.png"
cp "$shots/hover.png" "$BUILD/menu-hover.png"
exit_lit=$(colour_fraction "$shots/hover.png" $((x + 325)) $((y + 390)) 148 60 "$orange")
exit_bright=$(brightness "$shots/hover.png" $((x + 325)) $((y + 390)) 148 60)
play_after=$(colour_fraction "$shots/hover.png" $((x + 325)) $((y + 30)) 296 60 "$orange")
check "hovering Exit lights its label" greater "$exit_lit" 0
check "hovering Exit draws the lighter bar under it" greater "$exit_bright" "$exit_dark"
check "Play's label is grey again" test "$play_after" = 0

# A real Tab key moves the highlight on from Exit to Help.
xdotool key Tab
sleep 0.3
screenshot "$shots/tab.png"
help_lit=$(colour_fraction "$shots/tab.png" $((x + 473)) $((y + 390)) 148 60 "$orange")
exit_after=$(colour_fraction "$shots/tab.png" $((x + 325)) $((y + 390)) 148 60 "$orange")
check "Tab moves the highlight from Exit to Help" test "$exit_after" = 0 -a "$help_lit" != 0

# Dragging the background (the title panel) moves the window.
xdotool mousemove $((x + 150)) $((y + 450)) mousedown 1
xdotool mousemove $((x + 180)) $((y + 470))
xdotool mousemove $((x + 200)) $((y + 480)) mouseup 1
sleep 0.3
read -r moved_x moved_y <<<"$(window_position "$window")"
check "dragging the background moves the window by 50,30 (now at $moved_x,$moved_y)" \
    test "$moved_x" -eq $((x + 50)) -a "$moved_y" -eq $((y + 30))

# Exit ends the launcher with 0.
xdotool mousemove $((moved_x + 399)) $((moved_y + 420)) click 1
check "Exit ends the launcher with exit code 0" test "$(wait_launcher "$folder")" = 0
rm -rf "$shots"
finish
