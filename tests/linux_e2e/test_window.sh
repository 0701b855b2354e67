#!/usr/bin/env bash
# The window as the options make it: size, place, frame, taskbar, the first
# display, and starting without a display or with a degenerate size.
source "$(dirname "$0")/lib.sh"

start defaults
check "client area 120x30, title Stopwatch" eval 'client_size_is 120x30 && title_is Stopwatch'
check "a normal window on top, in the taskbar" \
  eval 'type_is NORMAL && state_has _NET_WM_STATE_ABOVE && state_lacks _NET_WM_STATE_SKIP_TASKBAR'
check "title bar shown" eval '! extents_are "1, 1, 1, 1" && ! extents_are "0, 0, 0, 0"'
check "window class for the desktop entry" \
  sh -c "xprop -id $WIN WM_CLASS | grep -q '\"moxtimer\", \"moxStopwatchTimer\"'"
check "00:00:00 in grey on black" display_shows --glyphs 8 00:00:00.00
# Cells 15x30, margin 2, thickness 2: a top segment, a rounded-off corner,
# a colon dot and a cell margin.
check "the worked example's pixels" pixels_are 4,2=BEBEBE 2,2=000000 36,9=BEBEBE 14,15=000000
check "nothing on stderr" [ ! -s "$APPDIR/stderr.log" ]
stop
for case in "decisecond 10 150x30" "centisecond 11 165x30"; do
  read -r precision glyphs size <<<"$case"
  start "$precision" -precision="$precision"
  check "$precision: $size, $glyphs glyphs" \
    eval 'client_size_is $size && display_shows --glyphs $glyphs 00:00:00.00'
  stop
done
start position -position=100,50,200,60
check "-position: client area 200x60, outer top-left 100,50" \
  eval 'client_size_is 200x60 && [ "$(outer_origin)" = "100 50" ]'
check "display laid out for 200x60" display_shows --glyphs 8 00:00:00.00
stop
start bare -noTitleBar -noTaskBarIcon
check "-noTitleBar: a border only, still 120x30" eval 'extents_are "1, 1, 1, 1" && client_size_is 120x30'
check "-noTaskBarIcon: a tool window on top, no taskbar entry" \
  eval 'type_is UTILITY && state_has _NET_WM_STATE_SKIP_TASKBAR && state_has _NET_WM_STATE_ABOVE'
keys F11
check "the tool window goes full screen" poll 2000 eval 'state_has _NET_WM_STATE_MAXIMIZED_HORZ && extents_are "0, 0, 0, 0"'
keys F11
check "and comes back without a title bar, 120x30" \
  poll 2000 eval 'extents_are "1, 1, 1, 1" && client_size_is 120x30'
stop
start appearance -color=orange -style=straight -start
check "running orange straight digits" display_shows --glyphs 8 --color orange --style straight \
  --running 1 00:00:00 00:00:01 00:00:02 00:00:03
check "a straight corner lit in orange" pixels_are 2,2=FF9600
stop
start tiny -position=10,10,-5,0
check "a zero or negative size: the smallest window" eval 'client_size_is 1x1 && title_is Stopwatch'
stop
check "without warnings" sh -c "! grep -qiE 'warning|critical' '$APPDIR/stderr.log'"
new_folder nodisplay
(cd "$APPDIR" && env -u DISPLAY -u WAYLAND_DISPLAY ./moxtimer >out.log 2>err.log)
check "no display: exits non-zero" [ $? -ne 0 ]
check "with one line that names the display" \
  eval '[ "$(wc -l <"$APPDIR/err.log")" -eq 1 ] && grep -qi display "$APPDIR/err.log"'
finish
