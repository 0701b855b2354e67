#!/usr/bin/env bash
# Keys and mouse on the main window: Space and the middle button start and
# pause, double clicks count as on Windows, a left drag moves the window and
# a plain click does not.
source "$(dirname "$0")/lib.sh"

echo "Space starts and pauses"
start space
keys space
check "running digits in green" display_shows --glyphs 8 --running 1 00:00:00 00:00:01 00:00:02
keys space
check "paused: title Stopwatch (Paused)" poll 1000 title_is "Stopwatch (Paused)"
check "paused digits in grey" display_shows --glyphs 8 00:00:00 00:00:01 00:00:02 00:00:03
keys shift+space
check "Shift+Space is no accelerator" title_is "Stopwatch (Paused)"
stop

echo "middle button"
start middle
click_at 60 15 2
check "a middle click starts" display_shows --glyphs 8 --running 1 00:00:00 00:00:01 00:00:02
click_at 60 15 2
check "a second one pauses" poll 1000 title_is "Stopwatch (Paused)"
stop
start middle-double
click_at 60 15 2 2
# Down then double-click: two toggles, started and paused again.
check "a middle double-click toggles twice" poll 1000 title_is "Stopwatch (Paused)"
stop

echo "left button"
start drag -position=200,200,120,30
before=$(client_geometry)
xdotool mousemove --window "$WIN" 20 10
xdotool mousedown 1
sleep 0.1
xdotool mousemove_relative --sync 40 30
sleep 0.1
xdotool mousemove_relative --sync 40 30
sleep 0.1
xdotool mouseup 1
sleep 0.3
read -r bx by bw bh <<<"$before"
check "a left drag moves the window by the drag" \
  poll 1000 client_geometry_is "$((bx + 80)) $((by + 60)) $bw $bh"
moved=$(client_geometry)
click_at 20 10 1
xdotool mousemove_relative --sync 50 50
sleep 0.3
check "a plain click starts no move" client_geometry_is "$moved"
stop

finish
