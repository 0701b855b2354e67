# shellcheck shell=bash
# A private X display for the end-to-end, release, soak, Valgrind and bench
# scripts, and the steps that drive and read a program's windows there, each
# waiting on the state it leads to (tools/poll.sh). Sourced, not run.
# Everything started here is ended by xs_stop, by process id.
#
#   xs_start [--wm]   Xvfb on a display number it picks itself (screen
#                     XS_SCREEN, default 1280x1024x24), with --wm openbox as
#                     window manager; exports DISPLAY
#   xs_stop           ends them
#
# Driving a window WIN of process PID (the Linux program or a Windows one
# under Wine); XS_WAIT_MS (default 10000) is the deadline of every wait:
#   xs_key WIN KEY...        types keys into it (the caller waits on their effect)
#   xs_menu WIN PID LEVEL... opens its context menu from the keyboard and types
#                            each LEVEL (one or more keys) into one menu level:
#                            every LEVEL but the last opens a submenu, the last
#                            chooses or closes; waits for each level and for the
#                            close
#   xs_session WIN PID COLOR RGB STYLE PRECISION
#                            one round of what a user does, each step confirmed
#                            (see there)
source "$(dirname "${BASH_SOURCE[0]}")/poll.sh"

XS_XVFB_PID=""
XS_WM_PID=""
XS_DIR=""
XS_WAIT_MS="${XS_WAIT_MS:-10000}"
XS_MENUS_OPENED=0 # menus seen open, counted by xs_menu and xs_session

xs_start() {
  local tool
  for tool in Xvfb xdpyinfo xprop xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "xsession: $tool is missing (tools/install-deps.sh)"; return 1; }
  done
  XS_DIR="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-xsession.XXXXXX")"
  # The server takes the first free display number itself and reports it
  # through fd 3: no other script can take the same number meanwhile.
  Xvfb -displayfd 3 -screen 0 "${XS_SCREEN:-1280x1024x24}" -nolisten tcp \
    3>"$XS_DIR/display" >"$XS_DIR/xvfb.log" 2>&1 &
  XS_XVFB_PID=$!
  if ! poll 10000 test -s "$XS_DIR/display"; then
    echo "xsession: Xvfb did not start"
    cat "$XS_DIR/xvfb.log"
    return 1
  fi
  export DISPLAY=":$(head -n1 "$XS_DIR/display")"
  _xs_build_grab_probe
  export NO_AT_BRIDGE=1 GDK_BACKEND=x11
  unset WAYLAND_DISPLAY
  poll 10000 eval 'xdpyinfo >/dev/null 2>&1' || { echo "xsession: $DISPLAY does not answer"; return 1; }
  [ "${1:-}" = --wm ] || return 0
  command -v openbox >/dev/null || { echo "xsession: openbox is missing"; return 1; }
  # openbox runs its start-up command once it manages the screen. Now and
  # then, on a busy machine, it quits before that: three tries.
  local try
  for try in 1 2 3; do
    rm -f "$XS_DIR/wm-ready"
    openbox --sm-disable --startup "touch '$XS_DIR/wm-ready'" >>"$XS_DIR/openbox.log" 2>&1 &
    XS_WM_PID=$!
    poll 20000 eval '[ -e "$XS_DIR/wm-ready" ] || xs_gone $XS_WM_PID'
    [ -e "$XS_DIR/wm-ready" ] && xs_alive "$XS_WM_PID" && return 0
    kill "$XS_WM_PID" 2>/dev/null
    wait "$XS_WM_PID" 2>/dev/null
    XS_WM_PID=""
  done
  echo "xsession: openbox did not start"
  cat "$XS_DIR/openbox.log"
  return 1
}

xs_stop() {
  if [ -n "$XS_WM_PID" ]; then kill "$XS_WM_PID" 2>/dev/null; wait "$XS_WM_PID" 2>/dev/null; fi
  if [ -n "$XS_XVFB_PID" ]; then kill "$XS_XVFB_PID" 2>/dev/null; wait "$XS_XVFB_PID" 2>/dev/null; fi
  XS_WM_PID=""
  XS_XVFB_PID=""
  [ -n "$XS_DIR" ] && rm -rf "$XS_DIR"
  XS_DIR=""
  return 0
}

xs_alive() { [ -n "$1" ] && [ -d "/proc/$1" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }
xs_gone() { ! xs_alive "$1"; }

# The first visible top-level window of process PID whose WM_CLASS matches
# PATTERN (extended regular expression), or nothing.
xs_window_of() {
  local pid=$1 pattern=$2 w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    if xprop -id "$w" WM_CLASS 2>/dev/null | grep -Eq "$pattern"; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# The window's title (_NET_WM_NAME, else WM_NAME).
xs_title() {
  local t
  t=$(xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
  [ -n "$t" ] || t=$(xprop -id "$1" WM_NAME 2>/dev/null | sed -n 's/^WM_NAME([A-Z_]*) = "\(.*\)"$/\1/p')
  echo "$t"
}
xs_title_is() { [ "$(xs_title "$1")" = "$2" ]; }

# "x y width height" of the window on screen.
xs_geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /^  Width/{w=$NF} /^  Height/{h=$NF} END{print x, y, w, h}'
}
xs_geometry_is() { [ "$(xs_geometry "$1")" = "$2" ]; }
xs_geometry_is_not() { [ "$(xs_geometry "$1")" != "$2" ]; }

# The visible windows of process PID whose _NET_WM_WINDOW_TYPE is one of
# TYPES (NAME\|NAME...). GTK maps its menus as POPUP_MENU windows, Wine as
# DIALOG ones: the menu levels (and boxes) open are those of both types.
xs_windows() { # PID TYPES
  local w
  for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q "_NET_WM_WINDOW_TYPE_\($2\)" && echo "$w"
  done
  return 0
}
xs_popups_are() { [ "$(xs_windows "$1" 'POPUP_MENU\|DIALOG' | wc -l)" -eq "$2" ]; }

# What the window shows, as a checksum. With --left only its left quarter,
# where the hours and the first separator sit: a running clock never changes
# them, a color, style, precision or countdown entry does.
xs_look() {
  local crop=()
  [ "${2:-}" = --left ] && crop=(-crop 25%x100%+0+0)
  import -window "$1" -depth 8 "${crop[@]}" ppm:- 2>/dev/null | md5sum | cut -d' ' -f1
}
xs_look_is_not() { [ "$(xs_look "$1" "${3:-}")" != "$2" ]; }
# Something is painted in the window: not all of it is black.
xs_painted() { [ "$(import -window "$1" -depth 8 -format '%[fx:maxima]' info:- 2>/dev/null)" != 0 ]; }
# How many pixels of the window have the color RRGGBB.
xs_pixels_of() {
  import -window "$1" -depth 8 ppm:- 2>/dev/null | convert ppm:- -fill black +opaque "#$2" \
    -fill white -opaque "#$2" -format '%[fx:int(mean*w*h+0.5)]\n' info:- 2>/dev/null
}
xs_shows_color() { [ "$(xs_pixels_of "$1" "$2")" -gt 0 ] 2>/dev/null; }
xs_pixels_of_are_not() { [ "$(xs_pixels_of "$1" "$2")" != "$3" ]; }

# The keyboard focus on WIN. The window manager names the active window
# before the program has taken the focus it offered: the keys typed in
# between would go elsewhere, so the wait is on the input focus itself.
xs_focus() {
  xdotool windowactivate "$1" >/dev/null 2>&1 || xdotool windowfocus "$1" >/dev/null 2>&1
  poll "$XS_WAIT_MS" xs_has_focus "$1"
}
xs_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && xs_keyboard_free; }

# Nobody holds the keyboard. A program takes it while its menu is open and
# gives it back just after the menu is unmapped; a key sent in between goes
# to the closing menu and is lost. Under Valgrind that gap lasts long enough
# to catch the key after a menu closed, so every key waits for it. The probe
# grabs the keyboard itself and lets go at once: it fails while another
# client holds it. Without a C compiler the wait is skipped.
_xs_build_grab_probe() {
  printf '%s\n' '#include <X11/Xlib.h>' \
    'int main(void) {' \
    '  Display* d = XOpenDisplay(0);' \
    '  if (!d) return 2;' \
    '  int r = XGrabKeyboard(d, DefaultRootWindow(d), False, GrabModeAsync, GrabModeAsync, CurrentTime);' \
    '  if (r == GrabSuccess) XUngrabKeyboard(d, CurrentTime);' \
    '  XCloseDisplay(d);' \
    '  return r == GrabSuccess ? 0 : 1;' \
    '}' >"$XS_DIR/grab_probe.c"
  cc -o "$XS_DIR/grab_probe" "$XS_DIR/grab_probe.c" -lX11 2>/dev/null ||
    echo "xsession: no keyboard grab probe (cc or libx11-dev missing): keys do not wait for a menu's grab to end"
}
xs_keyboard_free() { [ ! -x "$XS_DIR/grab_probe" ] || "$XS_DIR/grab_probe"; }
xs_key() { xs_focus "$1" && xdotool key "${@:2}"; }

xs_menu() {
  local win=$1 pid=$2 level=1 keys
  shift 2
  _xs_open_menu "$win" "$pid" Menu || { echo "    the context menu did not open"; return 1; }
  XS_MENUS_OPENED=$((XS_MENUS_OPENED + 1))
  for keys in "$@"; do
    # shellcheck disable=SC2086 # one or more keys
    xdotool key $keys
    if [ "$level" -lt $# ]; then
      level=$((level + 1))
      poll "$XS_WAIT_MS" xs_popups_are "$pid" "$level" || { echo "    menu level $level did not open after $keys"; return 1; }
    fi
  done
  poll "$XS_WAIT_MS" xs_popups_are "$pid" 0 || { echo "    the menu did not close after $keys"; return 1; }
}

# Opens the context menu of WIN with KEY. A menu that cannot take the
# keyboard and pointer at once stays hidden, and the key is spent: now and
# then under Valgrind on a busy machine. As a user would, the key is pressed
# again while no menu shows, four times within the deadline.
_xs_open_menu() { # WIN PID KEY
  local try
  for try in 1 2 3 4; do
    xs_popups_are "$2" 1 && return 0 # a slow one came after all
    xs_focus "$1" || return 1
    xdotool key "$3"
    poll $((XS_WAIT_MS / 4)) xs_popups_are "$2" 1 && return 0
  done
  return 1
}

# xs_session WIN PID COLOR RGB STYLE PRECISION, on a running stopwatch at
# centisecond precision: the context menu opened and closed from the Menu key
# and from shift+F10; the color chosen by mnemonic COLOR (its pixels, RGB,
# show); the style by mnemonic STYLE and the precision by mnemonic PRECISION,
# then centisecond again (each changes the look of the hours); full screen in
# with F11 (the window's geometry changes) and out with Esc (it comes back);
# countdown entry from the menu (the hours change), a 1 typed and taken back
# with Backspace (each changes the number of pixels of RGB; the typed digits
# stay from one entry to the next, so the round leaves them as they were) and
# Esc (the hours change back); Space twice (the title says paused, then
# running again). Each step waits for its state before the next; the
# first that does not come ends the round, saying which. XS_AFTER_STEP, when
# set, is run after every step; XS_SLOWEST_MS keeps the longest a title took
# to follow Space.
XS_SLOWEST_MS=0
xs_session() {
  local win=$1 pid=$2 color=$3 rgb=$4 style=$5 precision=$6 running
  running=$(xs_title "$win")
  _xs_step "the menu from the Menu key" xs_menu "$win" "$pid" Escape &&
    _xs_step "the menu from shift+F10" _xs_shift_f10 "$win" "$pid" &&
    _xs_step "color $color" _xs_color "$win" "$pid" "$color" "$rgb" &&
    _xs_step "style $style" _xs_changes_hours "$win" xs_menu "$win" "$pid" y "$style" &&
    _xs_step "precision $precision" _xs_changes_hours "$win" xs_menu "$win" "$pid" p "$precision" &&
    _xs_step "precision centisecond" _xs_changes_hours "$win" xs_menu "$win" "$pid" p c &&
    _xs_step "full screen in and out" _xs_full_screen "$win" &&
    _xs_step "countdown entry" _xs_changes_hours "$win" xs_menu "$win" "$pid" t c &&
    _xs_step "a 1 typed" _xs_changes_pixels "$win" "$rgb" 1 &&
    _xs_step "and taken back with Backspace" _xs_changes_pixels "$win" "$rgb" BackSpace &&
    _xs_step "entry left with Esc" _xs_changes_hours "$win" xs_key "$win" Escape &&
    _xs_step "Space pauses" _xs_space "$win" "$running (Paused)" &&
    _xs_step "Space resumes" _xs_space "$win" "$running"
}
_xs_step() { # NAME COMMAND...
  "${@:2}" || { echo "    not confirmed: $1"; return 1; }
  [ -z "${XS_AFTER_STEP:-}" ] || $XS_AFTER_STEP
}
_xs_changes_hours() { # WIN COMMAND...: the left quarter looks different afterwards
  local look
  look=$(xs_look "$1" --left)
  "${@:2}" && poll "$XS_WAIT_MS" xs_look_is_not "$1" "$look" --left
}
_xs_shift_f10() {
  _xs_open_menu "$1" "$2" shift+F10 || return 1
  XS_MENUS_OPENED=$((XS_MENUS_OPENED + 1))
  xdotool key Escape
  poll "$XS_WAIT_MS" xs_popups_are "$2" 0
}
_xs_color() {
  xs_menu "$1" "$2" c "$3" && poll "$XS_WAIT_MS" xs_shows_color "$1" "$4"
}
_xs_full_screen() {
  local before
  before=$(xs_geometry "$1")
  xs_key "$1" F11
  poll "$XS_WAIT_MS" xs_geometry_is_not "$1" "$before" || return 1
  xs_key "$1" Escape
  poll "$XS_WAIT_MS" xs_geometry_is "$1" "$before"
}
_xs_changes_pixels() { # WIN RGB KEY: the number of pixels of RGB differs after KEY
  local lit
  lit=$(xs_pixels_of "$1" "$2")
  xs_key "$1" "$3"
  poll "$XS_WAIT_MS" xs_pixels_of_are_not "$1" "$2" "$lit"
}
_xs_space() {
  local t0 ms
  t0=$(date +%s%N)
  xs_key "$1" space
  poll "$XS_WAIT_MS" xs_title_is "$1" "$2" || return 1
  ms=$((($(date +%s%N) - t0) / 1000000))
  [ "$ms" -le "$XS_SLOWEST_MS" ] || XS_SLOWEST_MS=$ms
}

# A settings file as UTF-8 lines without CR: the Windows program writes
# UTF-16 with a byte-order mark, the Linux one UTF-8.
xs_ini_text() {
  [ -f "$1" ] || return 1
  if [ "$(head -c 2 "$1" | od -An -tx1 | tr -d ' ')" = fffe ]; then
    iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r'
  else
    tr -d '\r' <"$1"
  fi
}

# xs_checked_session DIR DEADLINE_MS COMMAND...: the Linux program under a
# checker (COMMAND, run in DIR, starts it running at centisecond precision)
# gets one xs_session round and is closed through the window manager, every
# wait up to DEADLINE_MS. XS_CHECKED_RC is then its exit code. Returns 1,
# saying why, when the window did not come, a step was not confirmed or the
# program did not end; ends it in any case.
xs_checked_session() {
  local dir=$1 deadline=$2 pid win="" status=0
  (cd "$dir" && exec "${@:3}" >"$dir/stdout.log" 2>"$dir/stderr.log") &
  pid=$!
  XS_CHECKED_RC=""
  if ! poll $((deadline * 2)) eval 'win=$(xs_window_of $pid moxStopwatchTimer) && xs_title_is $win Stopwatch'; then
    echo "    the window did not appear"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 1
  fi
  XS_WAIT_MS=$deadline xs_session "$win" "$pid" o FF9600 s d || { echo "    the session did not reach the program"; status=1; }
  wmctrl -i -c "$win"
  poll $((deadline * 2)) xs_gone "$pid" || { echo "    the program did not end after close"; kill -9 "$pid"; status=1; }
  wait "$pid"
  XS_CHECKED_RC=$?
  return $status
}
