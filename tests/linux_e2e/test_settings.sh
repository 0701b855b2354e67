#!/usr/bin/env bash
# The settings file beside the program: written on every close (close
# button, Alt+F4, Exit, SIGTERM, SIGHUP, the display lost), read at the next
# start, and without -position while full screen or minimized.
source "$(dirname "$0")/lib.sh"

start first
origin=$(outer_origin)
wmctrl -i -c "$WIN"
check "the close button ends the program" poll 3000 gone "$PID"
expected=$(printf '%s\n' "[MOX_Timer]" -mode=stopwatch -precision=second -color=green -style=rounded \
  "-position=${origin/ /,},120,30" -start=0 -noTitleBar=0 -noTaskBarIcon=0 -fullScreen=0 -noAlarm=0 \
  -quitAfterTimeUp=0 -alarmFile=alarm.wav "-alarmMessage=Time is up!")
check "moxtimer.ini beside it holds every key in order" [ "$(ini)" = "$expected" ]
[ "$(ini)" = "$expected" ] || ini | sed 's/^/      /'
start_in -color=magenta -noAlarm
check "placed where it was closed" [ "$(outer_origin)" = "$origin" ]
click_at 60 15 1 2
poll 2000 extents_are "1, 1, 1, 1"
menu t End Return
focus_main
xdotool key alt+F4
check "Alt+F4 ends the program" poll 3000 gone "$PID"
check "and writes the color, -noAlarm, the hidden title bar and the countdown" \
  eval 'ini_is -color magenta && ini_is -noAlarm 1 && ini_is -noTitleBar 1 && ini_is -mode timer:7200'
start_in
check "without options: no title bar from the file" extents_are "1, 1, 1, 1"
keys space
check "the timer from the file, in magenta" \
  display_shows --glyphs 8 --color magenta --running 1 02:00:00 01:59:59 01:59:58
position=$(ini_value -position)
keys F11
poll 2000 state_has _NET_WM_STATE_MAXIMIZED_HORZ
menu x
check "Exit ends the program" poll 3000 gone "$PID"
check "with -fullScreen=1, the position as it was and the running countdown's length" \
  eval 'ini_is -fullScreen 1 && ini_is -position "$position" && ini_is -mode timer:7200'
start_in
check "the next start is in full screen" poll 2000 state_has _NET_WM_STATE_MAXIMIZED_HORZ
keys Escape
poll 2000 state_lacks _NET_WM_STATE_MAXIMIZED_HORZ
xdotool windowmove --sync "$WIN" 333 222
sleep 0.2
check "moved elsewhere" [ "$(client_geometry | cut -d' ' -f1)" != "${position%%,*}" ]
xdotool windowminimize --sync "$WIN"
poll 2000 state_has _NET_WM_STATE_HIDDEN
sleep 0.3
kill -TERM "$PID"
check "SIGTERM ends the program" poll 3000 gone "$PID"
check "and writes the settings, but not the minimized position" \
  eval 'ini_is -fullScreen 0 && ini_is -position "$position"'
start hup -position=40,60,150,40
kill -HUP "$PID"
check "SIGHUP ends the program and writes the settings" \
  eval 'poll 3000 gone $PID && ini_is -position 40,60,150,40'
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$MOX_E2E_WORK/lost-display" >/dev/null 2>&1 &
xvfb=$!
E2E_PIDS+=("$xvfb")
poll 5000 test -s "$MOX_E2E_WORK/lost-display"
export DISPLAY=":$(head -n1 "$MOX_E2E_WORK/lost-display")"
poll 5000 xdpyinfo >/dev/null 2>&1
new_folder lost
start_in -position=30,40,120,30
kill "$xvfb"
check "the program ends with its display" poll 5000 gone "$PID"
check "and writes the settings first" ini_is -position 30,40,120,30
finish
