#!/usr/bin/env bash
# The window as the options make it: size, place, frame, taskbar, the first
# display, and starting without a display or with a degenerate size.
source "$(dirname "$0")/lib.sh"

echo "defaults: no options, no settings file"
start defaults
check "client area 120x30" client_size_is 120x30
check "title Stopwatch" title_is "Stopwatch"
check "always on top" state_has _NET_WM_STATE_ABOVE
check "taskbar entry" state_lacks _NET_WM_STATE_SKIP_TASKBAR
check "a normal window" sh -c "xprop -id $WIN _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_NORMAL"
check "title bar shown" sh -c "xprop -id $WIN _NET_FRAME_EXTENTS | grep -qv ', 1, 1$'"
check "window class for the desktop entry" \
  sh -c "xprop -id $WIN WM_CLASS | grep -q '\"moxtimer\", \"moxStopwatchTimer\"'"
check "00:00:00 in grey on black" display_shows --glyphs 8 00:00:00.00
# The worked example, independent of the helper: cells 15x30, margin 2,
# thickness 2, horizontal 7, vertical 10.
shot "$APPDIR/shot.ppm"
check "top segment of glyph 0 is idle grey" [ "$(pixel_of_shot 4 2)" = "BEBEBE" ]
check "corner of glyph 0 stays black (rounded)" [ "$(pixel_of_shot 2 2)" = "000000" ]
check "colon dot at (36,9) is grey" [ "$(pixel_of_shot 36 9)" = "BEBEBE" ]
check "cell margin is black" [ "$(pixel_of_shot 14 15)" = "000000" ]
check "nothing on stderr" [ ! -s "$APPDIR/stderr.log" ]
stop

echo "precision decides the default width"
start decisecond -precision=decisecond
check "decisecond: 150x30" client_size_is 150x30
check "decisecond: 10 glyphs" display_shows --glyphs 10 00:00:00.00
stop
start centisecond -precision=centisecond
check "centisecond: 165x30" client_size_is 165x30
check "centisecond: 11 glyphs" display_shows --glyphs 11 00:00:00.00
stop

echo "position and size"
start position -position=100,50,200,60
check "client area 200x60" client_size_is 200x60
check "outer top-left at 100,50" [ "$(outer_origin)" = "100 50" ]
check "display laid out for 200x60" display_shows --glyphs 8 00:00:00.00
stop

echo "frame and taskbar options"
start notitle -noTitleBar
check "no title bar, a border only" extents_are "1, 1, 1, 1"
check "client area still 120x30" client_size_is 120x30
stop
start notaskbar -noTaskBarIcon
check "no taskbar entry" state_has _NET_WM_STATE_SKIP_TASKBAR
check "a tool window" sh -c "xprop -id $WIN _NET_WM_WINDOW_TYPE | grep -q UTILITY"
check "still on top" state_has _NET_WM_STATE_ABOVE
stop

echo "appearance options and -start"
start appearance -color=orange -style=straight -start
check "running orange straight digits" \
  display_shows --glyphs 8 --color orange --style straight --running 1 \
  00:00:00 00:00:01 00:00:02 00:00:03
shot "$APPDIR/shot.ppm"
check "a straight corner square lit in orange" [ "$(pixel_of_shot 2 2)" = "FF9600" ]
stop

echo "a zero or negative size"
start tiny -position=10,10,-5,0
check "the smallest window" client_size_is 1x1
check "still alive and titled" title_is "Stopwatch"
stop
check "no warnings" sh -c "! grep -qiE 'warning|critical' '$APPDIR/stderr.log'"

echo "no display"
new_folder nodisplay
(cd "$APPDIR" && env -u DISPLAY -u WAYLAND_DISPLAY ./moxtimer >out.log 2>err.log)
rc=$?
check "exits non-zero" [ "$rc" -ne 0 ]
check "says so in one line" [ "$(wc -l <"$APPDIR/err.log")" -eq 1 ]
check "the line names the display" grep -qi display "$APPDIR/err.log"

finish
