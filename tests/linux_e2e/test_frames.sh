#!/usr/bin/env bash
# Title bar and full screen: the toggle keeps the client area in place, full
# screen is maximized without a frame, the window manager's maximize and
# restore enter and leave it, and -fullScreen starts in it.
source "$(dirname "$0")/lib.sh"

screen_size=$(xdpyinfo | awk '/dimensions:/{print $2; exit}')
full_screen() {
  state_has _NET_WM_STATE_MAXIMIZED_HORZ && extents_are "0, 0, 0, 0" && client_size_is "$screen_size"
}
start titlebar -position=300,200,120,30
place=$(client_geometry)
titled=$(extents)
click_at 60 15 1 2
check "a left double-click hides the title bar, the client area stays" \
  poll 2000 framed_at "$place" "1, 1, 1, 1"
click_at 60 15 1 2
check "another shows it again in place" poll 2000 framed_at "$place" "$titled"
check "the digits did not change" display_shows --glyphs 8 00:00:00.00
menu b
check "Show Title Bar hides it too, in place" poll 2000 framed_at "$place" "1, 1, 1, 1"
menu b
poll 2000 framed_at "$place" "$titled"
keys F11
check "F11: full screen" poll 2000 full_screen
check "the display fills the screen" display_shows --glyphs 8 00:00:00.00
click_at 200 200 1 2
check "a left double-click does nothing in full screen" full_screen
keys F11
check "F11 again: back with the title bar" poll 2000 framed_at "$place" "$titled"
keys F11
poll 2000 full_screen
keys Escape
check "Esc leaves full screen" poll 2000 client_geometry_is "$place"
keys Escape
check "Esc outside full screen changes nothing" client_geometry_is "$place"
focus_main
xdotool key F11 F11
sleep 1.5
check "F11 twice at once: the late maximize is not taken for a request" \
  eval 'client_geometry_is "$place" && state_lacks _NET_WM_STATE_MAXIMIZED_HORZ'
wmctrl -i -r "$WIN" -b add,maximized_vert,maximized_horz
check "its maximize enters full screen" poll 2000 full_screen
sleep 0.5
check "and stays there" full_screen
wmctrl -i -r "$WIN" -b remove,maximized_vert,maximized_horz
check "its restore leaves it, with the title bar" poll 2000 framed_at "$place" "$titled"
read -r cx cy _ <<<"$place"
xdotool mousemove $((cx + 50)) $((cy - 8)) click --repeat 2 --delay 80 1
check "a double-click on the title bar enters full screen" poll 2000 full_screen
stop
start fullscreen -fullScreen
check "-fullScreen starts in full screen" poll 2000 full_screen
keys Escape
check "Esc brings the title bar and the size" \
  poll 2000 eval '! extents_are "0, 0, 0, 0" && ! extents_are "1, 1, 1, 1" && client_size_is 120x30'
finish
