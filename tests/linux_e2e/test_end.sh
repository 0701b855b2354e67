# The end of a countdown, and the settings file written on close, SIGTERM, SIGHUP and the
# loss of the display.
source "$(dirname "$0")/lib.sh"
steps 3<<'ROWS'
start alarm -position=0,0,120,30 -mode=timer:1 -start -alarmFile=/nonexistent/alarm.wav | at zero the alarm box opens, captioned with the title | poll 5000 one_dialog "Timer (1 sec)"
xdotool windowmove --sync "$(windows_of DIALOG)" 400 300 | the display shows zero, idle | shows 00:00:00.00
dialog_key Return | OK closes it, the program lives on | poll 2000 dialog_count_is 0 && xs_alive $PID
stop
start quit -mode=timer:1 -start -quitAfterTimeUp | with -quitAfterTimeUp the alarm box comes first | poll 5000 dialog_count_is 1
dialog_key Return | then the program ends | poll 3000 xs_gone "$PID"
wait "$PID"; code=$? | with exit code 0 and no settings written | [ $code -eq 0 ] && [ ! -e $APPDIR/moxtimer.ini ]
start close -position=40,60,120,30 && place=$(client_geometry) && wmctrl -i -c "$WIN" | the close button ends the program | poll 3000 xs_gone "$PID"
| moxtimer.ini beside it holds the place | ini_is -position 40,60,120,30
start_in -color=magenta | the next start reads it: placed as closed | poll 2000 xs_geometry_is "$WIN" "$place"
menu t "End Return" && poll 2000 title_is Timer && kill -TERM "$PID" | SIGTERM ends the program, writing the color and the countdown | poll 3000 xs_gone $PID && ini_is -color magenta && ini_is -mode timer:7200
start hup -position=40,60,150,40 && menu c r && kill -HUP "$PID" | SIGHUP ends the program, writing the color chosen and the place | poll 3000 xs_gone $PID && ini_is -color red && ini_is -position 40,60,150,40
start connection -position=50,70,120,30 && menu y s && xkill -id "$WIN" >/dev/null | its display connection closed, the program ends, writing the style chosen and the place | poll 5000 xs_gone $PID && ini_is -style straight && ini_is -position 50,70,120,30
ROWS
# A display of its own, without a window manager, killed under it.
lost=$MOX_E2E_WORK/lost-display
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$lost" >/dev/null 2>&1 &
server=$! && E2E_PIDS+=("$server")
# The number comes a moment before the server takes connections: a program
# started in between cannot open its display.
poll 10000 eval '[ -s "$lost" ] && DISPLAY=":$(head -n1 "$lost")" xdpyinfo >/dev/null 2>&1'
DISPLAY=":$(head -n1 "$lost")"
new_folder server
launch -position=30,40,120,30
poll 10000 eval 'main_window && xs_painted $WIN' || echo "    no window on that display"
kill "$server"
check "its X server killed, the program ends, writing the place first" \
  eval 'poll 5000 xs_gone $PID && ini_is -position 30,40,120,30'
finish
