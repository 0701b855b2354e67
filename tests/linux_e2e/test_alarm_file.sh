# A relative alarm file beside the program is found from another folder.
source "$(dirname "$0")/lib.sh"
new_folder beside
mkdir "$APPDIR/elsewhere" && echo RIFF >"$APPDIR/alarm.wav"
(cd "$APPDIR/elsewhere" && LD_PRELOAD="$HELPERS/mox_e2e_canberra_log.so" \
  MOX_CANBERRA_LOG="$APPDIR/played.log" exec ../moxtimer -mode=timer:1 -start >/dev/null 2>&1) &
PID=$! && E2E_PIDS+=("$PID")
poll 5000 main_window
check "alarm.wav beside the program plays, the current folder elsewhere" \
  eval 'poll 4000 one_dialog "Timer (1 sec)" && [ "$(cat "$APPDIR/played.log")" = "$APPDIR/alarm.wav" ]'
stop
finish
