# shellcheck shell=bash
# Shared steps of the Linux program's end-to-end tests. Sourced by each
# test_*.sh, which tools/test-extra/linux-e2e.sh runs on an Xvfb display with
# openbox as window manager.
#
# Needs: DISPLAY, MOX_PROGRAM (the built moxtimer), MOX_EXPECTED_DISPLAY (the
# helper that says what the display must show), MOX_E2E_WORK (a scratch
# folder). Each test starts the program in a fresh folder of its own, with
# its own copy of the binary, so the settings file lands there.

E2E_PASSED=0
E2E_FAILED=0
E2E_PIDS=()
PID=""
WIN=""
APPDIR=""

note() { printf '    %s\n' "$*"; }

# check NAME COMMAND...: one named assertion.
check() {
  local name="$1"
  shift
  if "$@"; then
    E2E_PASSED=$((E2E_PASSED + 1))
    printf '  ok    %s\n' "$name"
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    printf '  FAIL  %s\n' "$name"
  fi
}

# poll MILLISECONDS COMMAND...: polls every 50 ms until the command succeeds
# or the time is up.
poll() {
  local limit_ms="$1"
  shift
  local start now
  start=$(date +%s%N)
  while true; do
    "$@" && return 0
    now=$(date +%s%N)
    [ $(((now - start) / 1000000)) -ge "$limit_ms" ] && return 1
    sleep 0.05
  done
}

alive() { [ -n "$1" ] && [ -d "/proc/$1" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }
gone() { ! alive "$1"; }

# new_folder NAME: a fresh folder with its own copy of the program.
new_folder() {
  APPDIR="$MOX_E2E_WORK/$1"
  rm -rf "$APPDIR"
  mkdir -p "$APPDIR"
  cp "$MOX_PROGRAM" "$APPDIR/moxtimer"
}

main_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
    if xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q '_NET_WM_WINDOW_TYPE_\(NORMAL\|UTILITY\)' &&
      ! xprop -id "$w" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id'; then
      WIN="$w"
      return 0
    fi
  done
  return 1
}

# start_in ARGS...: starts the program in the folder made by
# new_folder (its settings file, if any, is read) and waits for its window.
start_in() {
  (cd "$APPDIR" && exec ./moxtimer "$@" >"$APPDIR/stdout.log" 2>"$APPDIR/stderr.log") &
  PID=$!
  E2E_PIDS+=("$PID")
  WIN=""
  if ! poll 5000 main_window; then
    note "the window did not appear; stderr:"
    sed 's/^/      /' "$APPDIR/stderr.log"
    return 1
  fi
  # The window manager has framed it and the first paint is done.
  poll 2000 has_frame_extents || true
  sleep 0.15
}

# start NAME ARGS...: a fresh folder and the program in it.
start() {
  local name="$1"
  shift
  new_folder "$name"
  start_in "$@"
}

has_frame_extents() { xprop -id "$WIN" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='; }

# stop: ends the program if it still runs (as the session end does).
stop() {
  if alive "$PID"; then
    kill "$PID" 2>/dev/null
    poll 3000 gone "$PID" || kill -9 "$PID" 2>/dev/null
  fi
  wait "$PID" 2>/dev/null
  return 0
}

stop_all() {
  local p
  for p in "${E2E_PIDS[@]}"; do
    alive "$p" && kill -9 "$p" 2>/dev/null
  done
  for p in "${E2E_PIDS[@]}"; do wait "$p" 2>/dev/null; done
  return 0
}

title() { xprop -id "$WIN" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }
title_is() { [ "$(title)" = "$1" ]; }

wm_state() { xprop -id "$WIN" _NET_WM_STATE 2>/dev/null; }
state_has() { wm_state | grep -q "$1"; }
state_lacks() { ! state_has "$1"; }

# "left, right, top, bottom" of the frame.
extents() { xprop -id "$WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p'; }
extents_are() { [ "$(extents)" = "$1" ]; }

# The client area: "x y width height" on screen.
client_geometry() {
  xwininfo -id "$WIN" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /^  Width/{w=$NF} /^  Height/{h=$NF} END{print x, y, w, h}'
}
client_size() { client_geometry | awk '{print $3 "x" $4}'; }
client_size_is() { [ "$(client_size)" = "$1" ]; }
client_geometry_is() { [ "$(client_geometry)" = "$1" ]; }

# The outer top-left corner: the client's minus the frame's left and top.
outer_origin() {
  local g e
  g=$(client_geometry)
  e=$(extents)
  set -- $g
  local x=$1 y=$2
  IFS=', ' read -r l _ t _ <<<"$e"
  echo "$((x - l)) $((y - t))"
}

focus_main() { xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || xdotool windowfocus --sync "$WIN"; }

# keys KEY...: typed into the main window, with time for each to be handled.
keys() {
  focus_main
  local k
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.12
  done
}

# Clicks at a place of the client area.
click_at() { # x y button [repeat]
  xdotool mousemove --window "$WIN" "$1" "$2"
  sleep 0.05
  xdotool click --repeat "${4:-1}" --delay 80 "$3"
  sleep 0.2
}

popup_menu_visible() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q POPUP_MENU && return 0
  done
  return 1
}

menu_closed() { ! popup_menu_visible; }

# menu KEY...: opens the context menu from the keyboard and types the keys
# into it (mnemonics, arrows, Return).
menu() {
  keys Menu
  poll 2000 popup_menu_visible || note "the context menu did not open"
  local k
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.15
  done
  poll 2000 menu_closed || true
  sleep 0.1
}

# The program's dialogs (message boxes, about box): "id" lines.
dialogs() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG && echo "$w"
  done
}
dialog_count_is() { [ "$(dialogs | wc -l)" -eq "$1" ]; }
dialog_title() { xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }
dialog_is_transient_for_main() {
  local owner
  owner=$(xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*# //p')
  [ -n "$owner" ] && [ $((owner)) -eq $((WIN)) ]
}

# shot FILE: the client area as a binary PPM.
shot() { import -window "$WIN" -depth 8 "ppm:$1" 2>/dev/null; }

# display_shows ARGS... TEXT...: the client area equals what the painter
# fills (see mox_expected_display); polled, since the repaint is asynchronous.
display_matches_once() {
  local size
  size=$(client_size)
  shot "$APPDIR/shot.ppm" &&
    "$MOX_EXPECTED_DISPLAY" --image "$APPDIR/shot.ppm" --size "$size" "$@" >"$APPDIR/compare.log"
}
display_shows() {
  if poll 3000 display_matches_once "$@"; then return 0; fi
  sed 's/^/      /' "$APPDIR/compare.log"
  return 1
}

# pixel X Y: "#RRGGBB" of one client pixel of the last shot.
pixel_of_shot() {
  convert "$APPDIR/shot.ppm" -format "%[hex:p{$1,$2}]" info:- 2>/dev/null | cut -c1-6
}

ini() { cat "$APPDIR/moxtimer.ini" 2>/dev/null | tr -d '\r'; }
ini_value() { ini | sed -n "s/^$1=//p"; }

# The closing line of one test file.
finish() {
  stop_all
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}
