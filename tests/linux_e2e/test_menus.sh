#!/usr/bin/env bash
# The context menu, opened from the keyboard and driven by its mnemonics and
# arrows: presets and their titles, color, style and precision, where the
# menu opens, and Exit.
source "$(dirname "$0")/lib.sh"

popup_origin() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
    if xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q POPUP_MENU; then
      xwininfo -id "$w" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}'
      return 0
    fi
  done
  return 1
}

echo "presets and titles"
start presets
# Timer submenu: Customize is selected first; four steps down is 5 minutes.
menu t Down Down Down Down Return
check "5 minutes: title Timer" poll 1000 title_is "Timer"
check "5 minutes: display 00:05:00" display_shows --glyphs 8 00:05:00.00
keys space
check "started: Timer (300 sec)" poll 1000 title_is "Timer (300 sec)"
check "counting down in green" display_shows --glyphs 8 --running 1 00:05:00 00:04:59 00:04:58
menu s
check "the first item pauses" poll 1000 title_is "Timer (Paused)"
# Pausing is the first item (Pau&se), reset the second (&Reset).
menu r
check "Reset: back to Timer" poll 1000 title_is "Timer"
check "Reset: 00:05:00 again" display_shows --glyphs 8 00:05:00.00
menu t End Return
check "2 hours: 02:00:00" display_shows --glyphs 8 02:00:00.00
menu w
check "Stopwatch item: title Stopwatch" poll 1000 title_is "Stopwatch"
check "Stopwatch item: the elapsed time, 00:00:00" display_shows --glyphs 8 00:00:00.00

echo "appearance"
menu c o
menu y s
keys space
check "orange, straight" display_shows --glyphs 8 --color orange --style straight --running 1 \
  00:00:00 00:00:01 00:00:02
menu y r
check "back to rounded: the erase removes the corners" \
  display_shows --glyphs 8 --color orange --running 1 00:00:00 00:00:01 00:00:02 00:00:03
menu p c
check "centisecond: 11 glyphs in the same window" client_size_is 120x30
keys space
# Paused somewhere in its first ten seconds.
mapfile -t paused < <(for c in $(seq 0 999); do printf '00:00:%02d.%02d\n' $((c / 100)) $((c % 100)); done)
check "centisecond display laid out for 11 glyphs" \
  display_shows --glyphs 11 --color orange "${paused[@]}"

echo "where the menu opens"
keys Menu
poll 2000 popup_menu_visible
read -r cx cy _ ch <<<"$(client_geometry)"
check "Menu key: at the client area's bottom-left" [ "$(popup_origin)" = "$cx $((cy + ch))" ]
xdotool key Escape
poll 2000 menu_closed
keys shift+F10
poll 2000 popup_menu_visible
check "Shift+F10: at the same place" [ "$(popup_origin)" = "$cx $((cy + ch))" ]
xdotool key Escape
poll 2000 menu_closed
xdotool mousemove --window "$WIN" 50 12
xdotool click 3
poll 2000 popup_menu_visible
check "right click: at the pointer" [ "$(popup_origin)" = "$((cx + 50)) $((cy + 12))" ]
xdotool key Escape
poll 2000 menu_closed

echo "Exit"
menu x
check "Exit ends the program" poll 3000 gone "$PID"
check "and writes the settings" [ "$(ini_value -color)" = "orange" ]
check "the precision too" [ "$(ini_value -precision)" = "centisecond" ]
finish
