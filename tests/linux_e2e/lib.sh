# shellcheck shell=bash
# Shared steps of the end-to-end tests. Each program runs from its own folder
# with its own copy of the binary, so that its settings file lands there.
# Every step waits on the state the next one needs (poll, tools/poll.sh);
# the window helpers are tools/xsession.sh's.
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xsession.sh"
HELPERS="${MOX_E2E_HELPERS:-$(dirname "$MOX_EXPECTED_DISPLAY")}" # the small programs built beside
E2E_PASSED=0 E2E_FAILED=0 E2E_PIDS=() PID="" WIN="" APPDIR=""
check() {
  if "${@:2}"; then E2E_PASSED=$((E2E_PASSED + 1)); echo "  ok    $1"
  else E2E_FAILED=$((E2E_FAILED + 1)); echo "  FAIL  $1"; fi
}
# A scenario: the rows "STEP | NAME | CHECK" read from fd 3, one a line. Each
# STEP (a command line, or nothing) is done, then CHECK (a command line)
# checked as NAME; a row of a STEP alone is only done.
steps() {
  local step name test
  while IFS='|' read -r -u 3 step name test; do
    name=${name# } name=${name% }
    if [ -z "$name" ]; then eval "$step" && continue; fi
    eval "$step" && [ -n "$test" ] && check "$name" eval "$test" || check "${name:-$step}" false
  done
}
new_folder() { # NAME [PROGRAM]
  APPDIR="$MOX_E2E_WORK/$1" && mkdir -p "$APPDIR" && cp "${2:-$MOX_PROGRAM}" "$APPDIR/moxtimer"
}
windows_of() { xs_windows "$PID" "$1"; } # TYPES: the program's visible windows of those types
main_window() { WIN=$(windows_of 'NORMAL\|UTILITY' | head -1) && [ -n "$WIN" ]; }
shown() { # managed, framed and painted: the display always lights some segment
  main_window && xprop -id "$WIN" _NET_FRAME_EXTENTS 2>/dev/null | grep -q = &&
    xwininfo -id "$WIN" 2>/dev/null | grep -q IsViewable && xs_painted "$WIN"
}
launch() { (cd "$APPDIR" && exec ./moxtimer "$@" >stdout.log 2>stderr.log) & PID=$! && E2E_PIDS+=("$PID"); }
start_in() { # ARGS...: the program in the current folder, once shown
  launch "$@"
  poll 10000 shown || { echo "    no window; stderr:" && cat "$APPDIR/stderr.log"; return 1; }
}
start() { new_folder "$1" && start_in "${@:2}"; }
stop() { xs_alive "$PID" && kill "$PID" && { poll 3000 xs_gone "$PID" || kill -9 "$PID"; }; wait "$PID" 2>/dev/null; }
title_is() { xs_title_is "$WIN" "$1"; }
state_has() { xprop -id "$WIN" _NET_WM_STATE 2>/dev/null | grep -q "_NET_WM_STATE_$1"; }
extents_are() { [ "$(xprop -id "$WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p')" = "$1" ]; }
client_geometry() { xs_geometry "$WIN"; } # x y width height of the client area on screen
client_size_is() { [ "$(client_geometry | awk '{print $3 "x" $4}')" = "$1" ]; }
framed_at() { [ "$(client_geometry)" = "$1" ] && extents_are "$2"; }
# Keys typed into the main window: one X queue, so each is handled before
# the next; the caller waits on what they lead to.
keys() { xs_key "$WIN" "$@"; }
pointer_at() { # X Y in the client area
  local x y
  read -r x y _ <<<"$(client_geometry)"
  [ "$(xdotool getmouselocation 2>/dev/null | cut -d' ' -f1-2)" = "x:$((x + $1)) y:$((y + $2))" ]
}
click_at() { # X Y BUTTON [REPEAT]; the clicks of a double-click 80 ms apart
  xdotool mousemove --window "$WIN" "$1" "$2" && poll 2000 pointer_at "$1" "$2" &&
    xdotool click --repeat "${4:-1}" --delay 80 "$3"
}
# menu LEVEL...: the context menu from the keyboard, one LEVEL of keys typed
# into each menu level (tools/xsession.sh xs_menu), waiting for each to open
# and for the menu to close.
menu() { xs_menu "$WIN" "$PID" "$@"; }
menu_closed() { [ -z "$(windows_of POPUP_MENU)" ]; }
dialog_count_is() { [ "$(windows_of DIALOG | wc -l)" -eq "$1" ]; }
one_dialog() { # CAPTION [OWNER]: exactly one dialog, with that caption, owned by OWNER
  local box=$(windows_of DIALOG) owner=${2-$WIN}
  dialog_count_is 1 && xs_title_is "$box" "$1" &&
    [ "$(xprop -id "$box" WM_TRANSIENT_FOR | sed -n 's/.*# //p')" = "${owner:+$(printf '0x%x' "$owner")}" ]
}
dialog_key() { xs_key "$(windows_of DIALOG | head -1)" "$1"; }
display_once() { # HELPER_ARGS...: the client area (SHOT_OF=root: the screen of SHOT_SIZE) compared
  import -window "${SHOT_OF:-$WIN}" -depth 8 "ppm:$APPDIR/shot.ppm" 2>/dev/null && "$MOX_EXPECTED_DISPLAY" \
    --image "$APPDIR/shot.ppm" --size "${SHOT_SIZE:-$(client_geometry | awk '{print $3 "x" $4}')}" "$@" >"$APPDIR/compare.log"
}
shows() { # HELPER_ARGS... TEXT...: the client area equals the painter's display of one text
  poll 5000 display_once --glyphs 8 "$@" || { sed 's/^/      /' "$APPDIR/compare.log"; return 1; }
}
ini() { tr -d '\r' 2>/dev/null <"$APPDIR/moxtimer.ini"; }
ini_is() { [ "$(ini | sed -n "s/^$1=//p")" = "$2" ]; }
finish() { # the closing line; every program left is killed first
  for p in "${E2E_PIDS[@]}"; do xs_alive "$p" && kill -9 "$p" 2>/dev/null; done
  wait "${E2E_PIDS[@]}" 2>/dev/null
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}
