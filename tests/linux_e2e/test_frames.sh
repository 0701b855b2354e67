#!/usr/bin/env bash
# Title bar and full screen: the toggle keeps the client area in place, full
# screen is maximized without a frame, the window manager's maximize and
# restore enter and leave it, and the options start in either mode.
source "$(dirname "$0")/lib.sh"

screen_size() { xdpyinfo | awk '/dimensions:/{print $2; exit}'; }
full_screen() {
  state_has _NET_WM_STATE_MAXIMIZED_HORZ && extents_are "0, 0, 0, 0" &&
    client_size_is "$(screen_size)"
}

echo "title bar toggle"
start titlebar -position=300,200,120,30
place=$(client_geometry)
with_title=$(extents)
click_at 60 15 1 2
check "a left double-click hides the title bar" poll 2000 extents_are "1, 1, 1, 1"
check "the client area stays where it was" poll 2000 client_geometry_is "$place"
click_at 60 15 1 2
check "another shows it again" poll 2000 extents_are "$with_title"
check "the client area still stays" poll 2000 client_geometry_is "$place"
check "the digits did not change" display_shows --glyphs 8 00:00:00.00
menu b
check "Show Title Bar hides it too" poll 2000 extents_are "1, 1, 1, 1"
check "in place" poll 2000 client_geometry_is "$place"
menu b
poll 2000 extents_are "$with_title"

echo "full screen"
keys F11
check "F11: full screen" poll 2000 full_screen
check "the display fills the screen" display_shows --glyphs 8 00:00:00.00
click_at 200 200 1 2
check "a left double-click does nothing in full screen" full_screen
keys F11
check "F11 again: back" poll 2000 client_geometry_is "$place"
check "with the title bar" extents_are "$with_title"
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
  client_geometry_is "$place"
check "nor left maximized" state_lacks _NET_WM_STATE_MAXIMIZED_HORZ

echo "the window manager's maximize and restore"
wmctrl -i -r "$WIN" -b add,maximized_vert,maximized_horz
check "its maximize enters full screen" poll 2000 full_screen
sleep 0.5
check "and stays there" full_screen
wmctrl -i -r "$WIN" -b remove,maximized_vert,maximized_horz
check "its restore leaves it" poll 2000 client_geometry_is "$place"
check "with the title bar back" poll 2000 extents_are "$with_title"
read -r cx cy _ _ <<<"$place"
xdotool mousemove $((cx + 50)) $((cy - 8))
xdotool click --repeat 2 --delay 80 1
check "a double-click on the title bar enters full screen" poll 2000 full_screen
keys Escape
poll 2000 client_geometry_is "$place"
stop

echo "the options"
start fullscreen -fullScreen
check "-fullScreen starts in full screen" poll 2000 full_screen
keys Escape
check "and Esc brings the title bar" poll 2000 sh -c "xprop -id $WIN _NET_FRAME_EXTENTS | grep -qv ' 0, 0, 0, 0'"
check "and the size" client_size_is 120x30
stop
start notitle-full -noTitleBar
keys F11
poll 2000 full_screen
keys F11
check "-noTitleBar: back from full screen without a title bar, with a border" \
  poll 2000 extents_are "1, 1, 1, 1"
check "and the size" client_size_is 120x30
stop
start tool-full -noTaskBarIcon
keys F11
check "-noTaskBarIcon: the tool window goes full screen too" poll 2000 full_screen
stop
finish
