# Sourced after player.sh: where the launcher's windows and their controls lie on the screen
# (read with windowrect.exe, as a player reads them off the screen), clicks on controls, and the
# extent of text of one colour in a screenshot.

# "left top right bottom" of the window and then of its client area, in screen pixels; fails
# while there is no such visible window or control.
window_rect() { # CLASS TITLE [CONTROL-ID]
    "$W" "$BIN/windowrect.exe" "$@" 2>/dev/null </dev/null
}

# Waits (10 s at most) until the window is there, or until it is gone.
wait_window() {
    for _ in $(seq 50); do
        window_rect "$@" >/dev/null && return 0
        sleep 0.2
    done
    return 1
}
wait_window_gone() {
    for _ in $(seq 50); do
        window_rect "$@" >/dev/null || return 0
        sleep 0.2
    done
    return 1
}

# Clicks the middle of a control with the real pointer.
click_control() { # CLASS TITLE CONTROL-ID
    local rect l t r b
    rect=$(window_rect "$@") || return 1
    read -r l t r b _ <<<"$rect"
    xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
}

# Width and left edge, within the rectangle, of the pixels of exactly one colour: "W X", or
# "0 0" when there are none.
ink_extent() { # file x y w h colour
    if [ "$(colour_fraction "$@")" = 0 ]; then
        echo "0 0"
        return
    fi
    convert "$1" -crop "$4x$5+$2+$3" +repage -fill black +opaque "$6" -trim \
        -format '%w %[fx:page.x]' info:
}
