#!/usr/bin/env bash
# The settings file beside the program: written on every close (close
# button, Alt+F4, Exit, the end of the session), read at the next start,
# and without -position while full screen or minimized.
source "$(dirname "$0")/lib.sh"

echo "first close without options"
start first
origin=$(outer_origin)
wmctrl -i -c "$WIN"
check "the close button ends the program" poll 3000 gone "$PID"
expected="[MOX_Timer]
-mode=stopwatch
-precision=second
-color=green
-style=rounded
-position=${origin/ /,},120,30
-start=0
-noTitleBar=0
-noTaskBarIcon=0
-fullScreen=0
-noAlarm=0
-quitAfterTimeUp=0
-alarmFile=alarm.wav
-alarmMessage=Time is up!"
check "moxtimer.ini beside it holds every key in order" [ "$(ini)" = "$expected" ]
[ "$(ini)" = "$expected" ] || ini | sed 's/^/      /'

echo "the next start reads it, the command line wins"
start_in -color=magenta -noAlarm
check "placed where it was closed" [ "$(outer_origin)" = "$origin" ]
click_at 60 15 1 2
poll 2000 extents_are "1, 1, 1, 1"
menu t End Return
focus_main
xdotool key alt+F4
check "Alt+F4 ends the program" poll 3000 gone "$PID"
check "color from the command line" [ "$(ini_value -color)" = "magenta" ]
check "-noAlarm kept" [ "$(ini_value -noAlarm)" = "1" ]
check "the hidden title bar" [ "$(ini_value -noTitleBar)" = "1" ]
check "the countdown length" [ "$(ini_value -mode)" = "timer:7200" ]

start_in
check "without options: no title bar from the file" extents_are "1, 1, 1, 1"
keys space
check "the timer from the file, in magenta" \
  display_shows --glyphs 8 --color magenta --running 1 02:00:00 01:59:59 01:59:58

echo "closing in full screen keeps the position"
position_before=$(ini_value -position)
keys F11
poll 2000 state_has _NET_WM_STATE_MAXIMIZED_HORZ
menu x
check "Exit ends the program" poll 3000 gone "$PID"
check "-fullScreen=1" [ "$(ini_value -fullScreen)" = "1" ]
check "-position as it was" [ "$(ini_value -position)" = "$position_before" ]
check "a running countdown writes its length" [ "$(ini_value -mode)" = "timer:7200" ]

start_in
check "the next start is in full screen" poll 2000 state_has _NET_WM_STATE_MAXIMIZED_HORZ
keys Escape
poll 2000 state_lacks _NET_WM_STATE_MAXIMIZED_HORZ
echo "closing while minimized keeps the position"
xdotool windowmove --sync "$WIN" 333 222
sleep 0.2
check "moved elsewhere" [ "$(client_geometry | cut -d' ' -f1)" != "${position_before%%,*}" ]
xdotool windowminimize --sync "$WIN"
poll 2000 state_has _NET_WM_STATE_HIDDEN
sleep 0.3
kill -TERM "$PID"
check "SIGTERM ends the program" poll 3000 gone "$PID"
check "and writes the settings" [ "$(ini_value -fullScreen)" = "0" ]
check "but not the minimized position" [ "$(ini_value -position)" = "$position_before" ]

echo "SIGHUP"
start hup -position=40,60,150,40
kill -HUP "$PID"
check "SIGHUP ends the program" poll 3000 gone "$PID"
check "and writes the settings" [ "$(ini_value -position)" = "40,60,150,40" ]

echo "the display connection lost"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$MOX_E2E_WORK/lost-display" >/dev/null 2>&1 &
xvfb=$!
E2E_PIDS+=("$xvfb")
poll 5000 test -s "$MOX_E2E_WORK/lost-display"
n=$(head -n1 "$MOX_E2E_WORK/lost-display")
poll 5000 xdpyinfo -display ":$n" >/dev/null 2>&1
new_folder lost
(cd "$APPDIR" && DISPLAY=":$n" exec ./moxtimer -position=30,40,120,30 >/dev/null 2>&1) &
PID=$!
E2E_PIDS+=("$PID")
poll 5000 sh -c "DISPLAY=:$n xdotool search --onlyvisible --pid $PID >/dev/null 2>&1"
sleep 0.3
kill "$xvfb"
check "the program ends with its display" poll 5000 gone "$PID"
check "and writes the settings first" [ "$(ini_value -position)" = "30,40,120,30" ]
finish
