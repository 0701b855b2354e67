# shellcheck shell=bash
# Shared steps of the end-to-end tests (see tools/test-extra/linux-e2e.sh).
# Each program runs from a fresh folder with its own copy of the binary, so
# that its settings file lands there.

E2E_PASSED=0 E2E_FAILED=0 E2E_PIDS=() PID="" WIN="" APPDIR=""

# check NAME COMMAND...: one named assertion.
check() {
  if "${@:2}"; then E2E_PASSED=$((E2E_PASSED + 1)); echo "  ok    $1"
  else E2E_FAILED=$((E2E_FAILED + 1)); echo "  FAIL  $1"; fi
}

# poll MILLISECONDS COMMAND...: retries every 50 ms until it succeeds.
poll() {
  local limit=$(($(date +%s%N) + $1 * 1000000))
  shift
  until "$@"; do
    [ "$(date +%s%N)" -ge "$limit" ] && return 1
    sleep 0.05
  done
}

alive() { [ -n "$1" ] && [ -d "/proc/$1" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }
gone() { ! alive "$1"; }

new_folder() {
  APPDIR="$MOX_E2E_WORK/$1"
  rm -rf "$APPDIR" && mkdir -p "$APPDIR" && cp "$MOX_PROGRAM" "$APPDIR/moxtimer"
}

# windows_of TYPE_PATTERN: the program's visible windows of that type.
windows_of() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q "_NET_WM_WINDOW_TYPE_\($1\)" && echo "$w"
  done
}
main_window() {
  local w
  for w in $(windows_of 'NORMAL\|UTILITY'); do
    xprop -id "$w" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id' || { WIN="$w" && return 0; }
  done
  return 1
}

# start_in ARGS...: the program in the current folder, once framed and painted.
start_in() {
  (cd "$APPDIR" && exec ./moxtimer "$@" >"$APPDIR/stdout.log" 2>"$APPDIR/stderr.log") &
  PID=$! WIN=""
  E2E_PIDS+=("$PID")
  if ! poll 5000 main_window; then
    echo "    the window did not appear; stderr:"
    sed 's/^/      /' "$APPDIR/stderr.log"
    return 1
  fi
  poll 2000 sh -c "xprop -id $WIN _NET_FRAME_EXTENTS | grep -q =" || true
  sleep 0.15
}
# start NAME ARGS...: a fresh folder and the program in it.
start() { new_folder "$1" && start_in "${@:2}"; }

stop() {
  alive "$PID" && kill "$PID" 2>/dev/null && { poll 3000 gone "$PID" || kill -9 "$PID"; }
  wait "$PID" 2>/dev/null
  return 0
}

net_name() { xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }
title_is() { [ "$(net_name "$WIN")" = "$1" ]; }
state_has() { xprop -id "$WIN" _NET_WM_STATE 2>/dev/null | grep -q "$1"; }
state_lacks() { ! state_has "$1"; }
type_is() { xprop -id "$WIN" _NET_WM_WINDOW_TYPE | grep -q "_NET_WM_WINDOW_TYPE_$1"; }

# "left, right, top, bottom" of the frame.
extents() { xprop -id "$WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p'; }
extents_are() { [ "$(extents)" = "$1" ]; }

# The client area: "x y width height" on screen.
client_geometry() {
  xwininfo -id "$WIN" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /^  Width/{w=$NF} /^  Height/{h=$NF} END{print x, y, w, h}'
}
client_geometry_is() { [ "$(client_geometry)" = "$1" ]; }
client_size_is() { [ "$(client_geometry | awk '{print $3 "x" $4}')" = "$1" ]; }
# framed_at GEOMETRY EXTENTS: the client area in place inside that frame.
framed_at() { client_geometry_is "$1" && extents_are "$2"; }

# The outer top-left corner: the client's minus the frame's left and top.
outer_origin() {
  local x y l t
  read -r x y _ <<<"$(client_geometry)" && IFS=', ' read -r l _ t _ <<<"$(extents)"
  echo "$((x - l)) $((y - t))"
}

focus_main() { xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || xdotool windowfocus --sync "$WIN"; }
# keys KEY...: typed into the main window, each given time to be handled.
keys() {
  focus_main
  local k
  for k in "$@"; do xdotool key "$k" sleep 0.12; done
}
click_at() { # x y button [repeat]
  xdotool mousemove --window "$WIN" "$1" "$2" sleep 0.05 click --repeat "${4:-1}" --delay 80 "$3" sleep 0.2
}

popup_menu_visible() { [ -n "$(windows_of POPUP_MENU)" ]; }
menu_closed() { ! popup_menu_visible; }
# menu KEY...: the context menu from the keyboard, driven by mnemonics,
# arrows and Return.
menu() {
  keys Menu
  poll 2000 popup_menu_visible || echo "    the context menu did not open"
  local k
  for k in "$@"; do xdotool key "$k" sleep 0.15; done
  poll 2000 menu_closed || true
  sleep 0.1
}

# Message boxes and the about box.
dialogs() { windows_of DIALOG; }
dialog_count_is() { [ "$(dialogs | wc -l)" -eq "$1" ]; }
dialog_owned_by_main() {
  local owner=$(xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*# //p')
  [ -n "$owner" ] && [ $((owner)) -eq $((WIN)) ]
}
# dialog_key KEY: typed into the first open dialog.
dialog_key() { xdotool windowactivate --sync "$(dialogs | head -1)" >/dev/null 2>&1; xdotool key "$1"; }

# shot FILE: the client area as a binary PPM.
shot() { import -window "$WIN" -depth 8 "ppm:$1" 2>/dev/null; }

# display_shows ARGS... TEXT...: the client area equals what the painter
# fills for one of the texts (see mox_expected_display); polled, since the
# repaint is asynchronous.
display_matches_once() {
  shot "$APPDIR/shot.ppm" && "$MOX_EXPECTED_DISPLAY" --image "$APPDIR/shot.ppm" \
    --size "$(client_geometry | awk '{print $3 "x" $4}')" "$@" >"$APPDIR/compare.log"
}
display_shows() {
  poll 3000 display_matches_once "$@" && return 0
  sed 's/^/      /' "$APPDIR/compare.log"
  return 1
}

# pixels_are X,Y=RRGGBB...: pixels of a fresh shot, read without the helper.
pixels_are() {
  shot "$APPDIR/shot.ppm" || return 1
  local p got
  for p in "$@"; do
    got=$(convert "$APPDIR/shot.ppm" -format "%[hex:p{${p%=*}}]" info:- 2>/dev/null | cut -c1-6)
    [ "$got" = "${p#*=}" ] || { echo "      pixel ${p%=*} is $got" && return 1; }
  done
}

ini() { tr -d '\r' 2>/dev/null <"$APPDIR/moxtimer.ini"; }
ini_value() { ini | sed -n "s/^$1=//p"; }
ini_is() { [ "$(ini_value "$1")" = "$2" ]; }

# The closing line of one test file; every program left is killed first.
finish() {
  local p
  for p in "${E2E_PIDS[@]}"; do alive "$p" && kill -9 "$p" 2>/dev/null; done
  wait "${E2E_PIDS[@]}" 2>/dev/null
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}
