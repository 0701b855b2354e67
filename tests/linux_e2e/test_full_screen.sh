# Full screen is the window manager's full-screen state: it covers a panel's
# strut, gives the old frame back, and follows the window manager's changes.
source "$(dirname "$0")/lib.sh"
"$HELPERS/mox_e2e_dock" 40 >/dev/null &
dock=$!
poll 3000 sh -c 'xprop -root _NET_WORKAREA | grep -q "= 0, 0, 1024, 728"' || echo "    the dock's strut is not in force"
screen_shows() { SHOT_OF=root SHOT_SIZE=1024x768 display_once --glyphs 8 "$1"; } # the dock covered
full_screen() { state_has FULLSCREEN && ! state_has MAXIMIZED && [ "$(client_geometry)" = "0 0 1024 768" ]; }
start full -position=100,50,120,30
hints=$(xprop -id "$WIN" _MOTIF_WM_HINTS | sed -n 's/.* = //p')
check "a caption without menu, minimize or maximize button; every function kept" \
  eval '[ $((${hints%%,*} & 3)) -eq 3 ] && [ $(($(echo "$hints" | cut -d, -f3) & 0x70)) -eq 0 ] &&
    [ $(($(echo "$hints" | cut -d, -f2) & 0x11)) -ne 0 ]'
click_at 60 15 1 2
poll 2000 extents_are "1, 1, 1, 1" || echo "    the title bar did not go"
place=$(client_geometry) framed=$(xprop -id "$WIN" _NET_FRAME_EXTENTS | sed -n 's/.* = //p')
steps 3<<'ROWS'
keys F11 | F11: full screen over the dock, the display filling the screen | poll 2000 full_screen && poll 2000 screen_shows 00:00:00.00
xdotool mousemove --window "$WIN" 500 300 mousedown 1 mousemove_relative 60 40 mouseup 1 && click_at 500 300 1 2 && keys Escape | a drag and a double-click do nothing there; Esc gives back frame, size and place | poll 2000 framed_at "$place" "$framed" && ! state_has FULLSCREEN
wmctrl -i -r "$WIN" -b add,maximized_vert,maximized_horz | the window manager's maximize enters full screen | poll 2000 full_screen
wmctrl -i -r "$WIN" -b remove,fullscreen | the window manager ends it: frame and place back | poll 2000 framed_at "$place" "$framed"
keys F11 | so the next F11 enters again | poll 2000 full_screen
keys F11 | and F11 leaves it | poll 2000 framed_at "$place" "$framed"
stop
start tool -noTaskBarIcon -fullScreen | -noTaskBarIcon -fullScreen: a NORMAL window off the taskbar, in full screen | poll 2000 full_screen && state_has SKIP_TASKBAR && [ -n "$(windows_of NORMAL)" ]
ROWS
kill "$dock" && wait "$dock" 2>/dev/null
finish
