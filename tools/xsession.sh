# A private X display for the release, soak, Valgrind and benchmark scripts:
# Xvfb on a free display number, optionally openbox as window manager.
# Sourced, not run. Everything started here is ended by xs_stop, by process
# id.
#
#   xs_start [--wm]   starts the display (and the manager), exports DISPLAY
#   xs_stop           ends them
#   xs_poll MS CMD... polls CMD every 50 ms until it succeeds or MS pass

XS_XVFB_PID=""
XS_WM_PID=""
XS_LOG="${TMPDIR:-/tmp}/moxtimer-xsession.$$.log"

xs_poll() {
  local limit_ms="$1" start now
  shift
  start=$(date +%s%N)
  while true; do
    "$@" && return 0
    now=$(date +%s%N)
    [ $(((now - start) / 1000000)) -ge "$limit_ms" ] && return 1
    sleep 0.05
  done
}

xs_start() {
  local n display=""
  for tool in Xvfb xdpyinfo xprop xdotool; do
    command -v "$tool" >/dev/null || { echo "xsession: $tool is missing (tools/install-deps.sh)"; return 1; }
  done
  # Numbers above those the end-to-end suites use. When another script takes
  # the same number at the same moment, our server exits at once and the
  # next number is tried.
  for n in $(seq 400 499); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$XS_LOG" 2>&1 &
    XS_XVFB_PID=$!
    if xs_poll 5000 xdpyinfo -display ":$n" >/dev/null 2>&1 && sleep 0.2 && xs_alive "$XS_XVFB_PID"; then
      display=":$n"
      break
    fi
    kill "$XS_XVFB_PID" 2>/dev/null
    wait "$XS_XVFB_PID" 2>/dev/null
    XS_XVFB_PID=""
  done
  [ -n "$display" ] || { echo "xsession: Xvfb did not start"; cat "$XS_LOG"; return 1; }
  export DISPLAY="$display"
  export NO_AT_BRIDGE=1 GDK_BACKEND=x11
  unset WAYLAND_DISPLAY
  if [ "${1:-}" = --wm ]; then
    command -v openbox >/dev/null || { echo "xsession: openbox is missing"; return 1; }
    openbox >>"$XS_LOG" 2>&1 &
    XS_WM_PID=$!
    xs_poll 5000 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
      { echo "xsession: openbox did not start"; cat "$XS_LOG"; return 1; }
  fi
  return 0
}

xs_stop() {
  if [ -n "$XS_WM_PID" ]; then kill "$XS_WM_PID" 2>/dev/null; wait "$XS_WM_PID" 2>/dev/null; fi
  if [ -n "$XS_XVFB_PID" ]; then kill "$XS_XVFB_PID" 2>/dev/null; wait "$XS_XVFB_PID" 2>/dev/null; fi
  XS_WM_PID=""
  XS_XVFB_PID=""
  rm -f "$XS_LOG"
  return 0
}

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

xs_alive() { [ -n "$1" ] && [ -d "/proc/$1" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }
xs_gone() { ! xs_alive "$1"; }

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
