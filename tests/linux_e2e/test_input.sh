#!/usr/bin/env bash
# Keys, mouse and the context menu on the main window: Space and the middle
# button start and pause, double clicks count as on Windows, a left drag
# moves the window; the menu's presets and titles, color, style and
# precision, where it opens, and Exit.
source "$(dirname "$0")/lib.sh"

popup_origin() {
  xwininfo -id "$(windows_of POPUP_MENU | head -1)" |
    awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}'
}
running_from_zero() { display_shows --glyphs 8 --running 1 "$@" 00:00:00 00:00:01 00:00:02; }
start input -position=200,200,120,30
keys space
check "Space starts: digits in green" running_from_zero
keys space
check "Space again pauses: title Stopwatch (Paused)" poll 1000 title_is "Stopwatch (Paused)"
check "paused digits in grey" display_shows --glyphs 8 00:00:00 00:00:01 00:00:02 00:00:03
keys shift+space
check "Shift+Space is no accelerator" title_is "Stopwatch (Paused)"
# Pau&se is the menu's first item, &Reset the second.
menu r
click_at 60 15 2
check "a middle click starts" running_from_zero
click_at 60 15 2
check "a second one pauses" poll 1000 title_is "Stopwatch (Paused)"
menu r
poll 1000 title_is "Stopwatch"
click_at 60 15 2 2
check "a middle double-click toggles twice" poll 1000 title_is "Stopwatch (Paused)"
menu r
read -r bx by bw bh <<<"$(client_geometry)"
xdotool mousemove --window "$WIN" 20 10 mousedown 1
sleep 0.1
xdotool mousemove_relative --sync 40 30 sleep 0.1 mousemove_relative --sync 40 30 sleep 0.1 mouseup 1
check "a left drag moves the window by the drag" \
  poll 1000 client_geometry_is "$((bx + 80)) $((by + 60)) $bw $bh"
click_at 20 10 1
xdotool mousemove_relative --sync 50 50
sleep 0.3
check "a plain click starts no move" client_geometry_is "$((bx + 80)) $((by + 60)) $bw $bh"
# In the Timer submenu Customize is selected first; four down is 5 minutes.
menu t Down Down Down Down Return
check "5 minutes: title Timer, 00:05:00" eval 'poll 1000 title_is Timer && display_shows --glyphs 8 00:05:00.00'
keys space
check "started: Timer (300 sec)" poll 1000 title_is "Timer (300 sec)"
check "counting down in green" display_shows --glyphs 8 --running 1 00:05:00 00:04:59 00:04:58
menu s
check "Pause: Timer (Paused)" poll 1000 title_is "Timer (Paused)"
menu r
check "Reset: Timer, 00:05:00" eval 'poll 1000 title_is Timer && display_shows --glyphs 8 00:05:00.00'
menu t End Return
check "2 hours: 02:00:00" display_shows --glyphs 8 02:00:00.00
menu w
check "Stopwatch: title Stopwatch, 00:00:00" eval 'poll 1000 title_is Stopwatch && display_shows --glyphs 8 00:00:00.00'
menu c o
menu y s
keys space
check "orange, straight" running_from_zero --color orange --style straight
menu y r
check "back to rounded: the erase removes the corners" running_from_zero --color orange 00:00:03
menu p c
check "centisecond in the same window" client_size_is 120x30
keys space
mapfile -t paused < <(for c in $(seq 0 999); do printf '00:00:%02d.%02d\n' $((c / 100)) $((c % 100)); done)
check "laid out for 11 glyphs" display_shows --glyphs 11 --color orange "${paused[@]}"
read -r cx cy _ ch <<<"$(client_geometry)"
for opener in Menu shift+F10 click; do
  if [ $opener = click ]; then click_at 50 12 3; at="$((cx + 50)) $((cy + 12))"; else keys $opener; at="$cx $((cy + ch))"; fi
  poll 2000 popup_menu_visible
  check "$opener: at $at" [ "$(popup_origin)" = "$at" ]
  xdotool key Escape
  poll 2000 menu_closed
done
menu x
check "Exit ends the program" poll 3000 gone "$PID"
check "and writes the settings" eval 'ini_is -color orange && ini_is -precision centisecond'
finish
