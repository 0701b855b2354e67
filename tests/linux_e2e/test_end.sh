# The end of a countdown, and the settings file written on close and on SIGTERM.
source "$(dirname "$0")/lib.sh"
start alarm -position=0,0,120,30 -mode=timer:1 -start -alarmFile=/nonexistent/alarm.wav
check "at zero the alarm box opens, captioned with the title" poll 4000 one_dialog "Timer (1 sec)"
xdotool windowmove "$(windows_of DIALOG)" 400 300
check "the display shows zero, idle" shows 00:00:00.00
dialog_key Return
check "OK closes it, the program lives on" eval 'poll 2000 dialog_count_is 0 && alive $PID'
stop
start quit -mode=timer:1 -start -quitAfterTimeUp
check "with -quitAfterTimeUp the alarm box comes first" poll 4000 dialog_count_is 1
dialog_key Return
check "then the program ends" poll 3000 gone "$PID"
wait "$PID"
check "with exit code 0 and no settings written" eval "[ $? -eq 0 ] && [ ! -e $APPDIR/moxtimer.ini ]"
start close -position=40,60,120,30
place=$(client_geometry)
wmctrl -i -c "$WIN"
check "the close button ends the program" poll 3000 gone "$PID"
expected=$(printf '%s\n' "[MOX_Timer]" -mode=stopwatch -precision=second -color=green -style=rounded \
  -position=40,60,120,30 -start=0 -noTitleBar=0 -noTaskBarIcon=0 -fullScreen=0 -noAlarm=0 \
  -quitAfterTimeUp=0 -alarmFile=alarm.wav "-alarmMessage=Time is up!")
check "moxtimer.ini beside it holds every key in order" [ "$(ini)" = "$expected" ]
start_in -color=magenta
check "the next start reads it: placed as closed" [ "$(client_geometry)" = "$place" ]
menu t End Return
kill -TERM "$PID"
check "SIGTERM ends the program, writing the color and the countdown" \
  eval 'poll 3000 gone $PID && ini_is -color magenta && ini_is -mode timer:7200'
finish
