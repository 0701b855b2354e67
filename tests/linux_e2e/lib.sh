# shellcheck shell=bash
# Shared steps of the end-to-end tests. Each program runs from its own folder
# with its own copy of the binary, so that its settings file lands there.
E2E_PASSED=0 E2E_FAILED=0 E2E_PIDS=() PID="" WIN="" APPDIR=""
check() {
  if "${@:2}"; then E2E_PASSED=$((E2E_PASSED + 1)); echo "  ok    $1"
  else E2E_FAILED=$((E2E_FAILED + 1)); echo "  FAIL  $1"; fi
}
poll() { # MILLISECONDS COMMAND...: retried every 50 ms until it succeeds
  local limit=$(($(date +%s%N) + $1 * 1000000))
  until "${@:2}"; do [ "$(date +%s%N)" -ge "$limit" ] && return 1; sleep 0.05; done
}
alive() { [ -d "/proc/$1" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }
gone() { ! alive "$1"; }
new_folder() { APPDIR="$MOX_E2E_WORK/$1" && mkdir -p "$APPDIR" && cp "$MOX_PROGRAM" "$APPDIR/moxtimer"; }
windows_of() { # TYPE_PATTERN: the program's visible windows of that type
  for w in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q "_NET_WM_WINDOW_TYPE_\($1\)" && echo "$w"
  done
}
main_window() { WIN=$(windows_of 'NORMAL\|UTILITY' | head -1) && [ -n "$WIN" ]; }
start_in() { # ARGS...: the program in the current folder, once framed
  (cd "$APPDIR" && exec ./moxtimer "$@" >stdout.log 2>stderr.log) &
  PID=$! && E2E_PIDS+=("$PID")
  poll 5000 main_window || { echo "    no window; stderr:" && cat "$APPDIR/stderr.log"; return 1; }
  poll 2000 sh -c "xprop -id $WIN _NET_FRAME_EXTENTS | grep -q =" && sleep 0.15
}
start() { new_folder "$1" && start_in "${@:2}"; }
stop() { alive "$PID" && kill "$PID" && { poll 3000 gone "$PID" || kill -9 "$PID"; }; wait "$PID" 2>/dev/null; }
net_name() { xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }
title_is() { [ "$(net_name "$WIN")" = "$1" ]; }
state_has() { xprop -id "$WIN" _NET_WM_STATE 2>/dev/null | grep -q "_NET_WM_STATE_$1"; }
extents_are() { [ "$(xprop -id "$WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p')" = "$1" ]; }
client_geometry() { # x y width height of the client area on screen
  xwininfo -id "$WIN" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /^  Width/{w=$NF} /^  Height/{h=$NF} END{print x, y, w, h}'
}
client_size_is() { [ "$(client_geometry | awk '{print $3 "x" $4}')" = "$1" ]; }
framed_at() { [ "$(client_geometry)" = "$1" ] && extents_are "$2"; }
keys() {
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || xdotool windowfocus --sync "$WIN"
  for k in "$@"; do xdotool key "$k" sleep 0.12; done
}
click_at() { xdotool mousemove --window "$WIN" "$1" "$2" sleep 0.05 click --repeat "${4:-1}" --delay 80 "$3" sleep 0.2; }
menu_closed() { [ -z "$(windows_of POPUP_MENU)" ]; }
menu() { # KEY...: the context menu opened from the keyboard, then driven by keys
  keys Menu
  poll 2000 eval '! menu_closed' || echo "    the context menu did not open"
  for k in "$@"; do xdotool key "$k" sleep 0.15; done
  poll 2000 menu_closed && sleep 0.1
}
dialog_count_is() { [ "$(windows_of DIALOG | wc -l)" -eq "$1" ]; }
one_dialog() { # CAPTION: exactly one dialog, with that caption, owned by the main window
  local box=$(windows_of DIALOG)
  dialog_count_is 1 && [ "$(net_name "$box")" = "$1" ] &&
    [ $(($(xprop -id "$box" WM_TRANSIENT_FOR | sed -n 's/.*# //p'))) -eq $((WIN)) ]
}
dialog_key() { xdotool windowactivate --sync "$(windows_of DIALOG | head -1)" >/dev/null 2>&1; xdotool key "$1"; }
display_once() {
  import -window "$WIN" -depth 8 "ppm:$APPDIR/shot.ppm" 2>/dev/null && "$MOX_EXPECTED_DISPLAY" \
    --image "$APPDIR/shot.ppm" --size "$(client_geometry | awk '{print $3 "x" $4}')" "$@" >"$APPDIR/compare.log"
}
shows() { # HELPER_ARGS... TEXT...: the client area equals the painter's display of one text
  poll 3000 display_once --glyphs 8 "$@" || { sed 's/^/      /' "$APPDIR/compare.log"; return 1; }
}
ini() { tr -d '\r' 2>/dev/null <"$APPDIR/moxtimer.ini"; }
ini_is() { [ "$(ini | sed -n "s/^$1=//p")" = "$2" ]; }
finish() { # the closing line; every program left is killed first
  for p in "${E2E_PIDS[@]}"; do alive "$p" && kill -9 "$p" 2>/dev/null; done
  wait "${E2E_PIDS[@]}" 2>/dev/null
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}
