#!/usr/bin/env bash
# The about box, and the end of a countdown: the alarm message with the
# title as caption, with and without the alarm, with and without the quit.
source "$(dirname "$0")/lib.sh"

display_changes() {
  shot "$APPDIR/a.ppm" && sleep 1.1 && shot "$APPDIR/b.ppm" && ! cmp -s "$APPDIR/a.ppm" "$APPDIR/b.ppm"
}
# one_dialog_titled TITLE: exactly one dialog, with that caption, owned by the main window.
one_dialog_titled() {
  dialog_count_is 1 && [ "$(net_name "$(dialogs)")" = "$1" ] && dialog_owned_by_main "$(dialogs)"
}
start about -position=0,0,120,30 -start
keys F1
check "F1 opens it, owned and titled" poll 2000 one_dialog_titled "MOX Stopwatch & Timer"
xdotool windowmove "$(dialogs)" 400 200
sleep 0.3
check "the clock goes on running and painting meanwhile" display_changes
dialog_key Return
sleep 0.4
check "Enter does not end it" dialog_count_is 1
xdotool key Escape
check "Esc ends it" poll 2000 dialog_count_is 0
menu a
check "About... opens it too" poll 2000 dialog_count_is 1
wmctrl -i -c "$(dialogs)"
check "its close button ends it, the main window lives on" \
  eval 'poll 2000 dialog_count_is 0 && alive $PID && title_is Stopwatch'
stop
start alarm -position=0,0,120,30 -mode=timer:1 -start -alarmFile=/nonexistent/alarm.wav
check "title while it runs" title_is "Timer (1 sec)"
check "a missing alarm file: the message still opens, captioned with the title" \
  poll 4000 one_dialog_titled "Timer (1 sec)"
xdotool windowmove "$(dialogs)" 400 300
check "the display shows zero, idle" display_shows --glyphs 8 00:00:00.00
dialog_key Return
check "OK ends the message" poll 2000 dialog_count_is 0
check "the program goes on with the running title" eval 'alive $PID && title_is "Timer (1 sec)"'
stop
start quit -mode=timer:1 -start -quitAfterTimeUp
check "with -quitAfterTimeUp the message comes first" poll 4000 dialog_count_is 1
dialog_key Return
check "then the program ends" poll 3000 gone "$PID"
wait "$PID"
check "with exit code 0 and no settings" eval "[ $? -eq 0 ] && [ ! -e $APPDIR/moxtimer.ini ]"
new_folder silent
started=$(date +%s%N)
(cd "$APPDIR" && ./moxtimer -mode=timer:1 -start -quitAfterTimeUp -noAlarm >/dev/null 2>&1)
rc=$?
ms=$((($(date +%s%N) - started) / 1000000))
check "with -noAlarm too it ends silently at zero, after ${ms} ms, without settings" \
  eval "[ $rc -eq 0 ] && [ $ms -ge 900 ] && [ $ms -lt 4000 ] && [ ! -e $APPDIR/moxtimer.ini ]"
finish
