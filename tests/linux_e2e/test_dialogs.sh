#!/usr/bin/env bash
# The about box, and the end of a countdown: the alarm message with the
# title as caption, with and without the alarm, with and without the quit.
source "$(dirname "$0")/lib.sh"

display_changes() {
  shot "$APPDIR/a.ppm"
  sleep 1.1
  shot "$APPDIR/b.ppm"
  ! cmp -s "$APPDIR/a.ppm" "$APPDIR/b.ppm"
}

echo "about box"
start about -position=0,0,120,30 -start
keys F1
check "F1 opens a dialog" poll 2000 dialog_count_is 1
box=$(dialogs | head -1)
check "titled MOX Stopwatch & Timer" [ "$(dialog_title "$box")" = "MOX Stopwatch & Timer" ]
check "owned by the main window" dialog_is_transient_for_main "$box"
xdotool windowmove "$box" 400 200
sleep 0.3
check "the clock goes on running and painting meanwhile" display_changes
xdotool windowactivate --sync "$box" >/dev/null 2>&1
xdotool key Return
sleep 0.4
check "Enter does not end it" dialog_count_is 1
xdotool key Escape
check "Esc ends it" poll 2000 dialog_count_is 0
menu a
check "About... opens it too" poll 2000 dialog_count_is 1
box=$(dialogs | head -1)
wmctrl -i -c "$box"
check "its close button ends it" poll 2000 dialog_count_is 0
check "the main window lives on" title_is "Stopwatch"
stop

echo "end of a countdown"
start alarm -position=0,0,120,30 -mode=timer:1 -start
check "title while it runs" title_is "Timer (1 sec)"
check "the alarm message opens" poll 4000 dialog_count_is 1
box=$(dialogs | head -1)
check "captioned with the title" [ "$(dialog_title "$box")" = "Timer (1 sec)" ]
check "owned by the main window" dialog_is_transient_for_main "$box"
xdotool windowmove "$box" 400 300
check "the display shows zero, idle" display_shows --glyphs 8 00:00:00.00
xdotool windowactivate --sync "$box" >/dev/null 2>&1
xdotool key Return
check "OK ends the message" poll 2000 dialog_count_is 0
check "the program goes on" alive "$PID"
check "the title keeps the running form" title_is "Timer (1 sec)"
stop

start quit -mode=timer:1 -start -quitAfterTimeUp
check "with -quitAfterTimeUp the message comes first" poll 4000 dialog_count_is 1
box=$(dialogs | head -1)
xdotool windowactivate --sync "$box" >/dev/null 2>&1
xdotool key Return
check "then the program ends" poll 3000 gone "$PID"
wait "$PID"
check "with exit code 0" [ $? -eq 0 ]
check "and writes no settings" [ ! -e "$APPDIR/moxtimer.ini" ]

new_folder silent
started=$(date +%s%N)
(cd "$APPDIR" && ./moxtimer -mode=timer:1 -start -quitAfterTimeUp -noAlarm >/dev/null 2>&1)
rc=$?
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
check "with -noAlarm too it ends silently at zero" [ "$rc" -eq 0 ]
check "after about a second (${elapsed_ms} ms)" [ "$elapsed_ms" -ge 900 ] && [ "$elapsed_ms" -lt 4000 ]
check "and writes no settings" [ ! -e "$APPDIR/moxtimer.ini" ]

start missing-file -mode=timer:1 -start "-alarmFile=/nonexistent/alarm.wav" "-alarmMessage=Tea is ready"
check "a missing alarm file still shows the message" poll 4000 dialog_count_is 1
stop
finish
