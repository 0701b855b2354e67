#!/usr/bin/env bash
# Measures one stopwatch program on a virtual X display with openbox (Xvfb
# 1280x800), one program at a time:
#   - start to mapped window, median of 5 (MapNotify reported by xev);
#   - a running stopwatch at each setting: the share of one core taken by
#     the program, by the X server, and their sum, each the median of
#     MOX_PERF_RUNS (default 3) windows of MOX_PERF_SECONDS (default 60)
#     seconds, with the load average when the figure was taken;
#   - its memory: private dirty memory (/proc/PID/smaps_rollup) and the
#     pixmap memory the X server holds for it (xrestop), in the full-screen
#     and the small-window run at hundredths.
#
#   bench/linux_perf.sh ours LABEL PROGRAM   our program: tenths and hundredths,
#                                            small window and full screen (F11)
#   bench/linux_perf.sh clocks               GNOME Clocks' stopwatch (tenths is
#                                            all it shows) in its window and in
#                                            full screen (wmctrl), GSK_RENDERER=cairo
#
# MOX_PERF_ONLY limits ours to the settings it names, e.g. "centisecond-small
# decisecond-full", with no start-up figure: for comparing two builds.
#
# Prints one line per figure: LABEL, MEASURE and VALUE separated by tabs.
# Uses the caller's display when MOX_XVFB_PID names its X server (bench/run.sh
# measures every program on one server), otherwise starts its own. GNOME
# Clocks is Debian's gnome-clocks, not installed by tools/install-deps.sh
# (apt-get install gnome-clocks xrestop); without it the figures say why.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/xsession.sh"
seconds="${MOX_PERF_SECONDS:-60}"
runs="${MOX_PERF_RUNS:-3}"
kind="${1:-}"
work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-perf.XXXXXX")"
pid=""
own_x=0
cleanup() {
  [ -n "$pid" ] && kill -- "-$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ "$own_x" = 1 ] && xs_stop
  rm -rf "$work"
}
trap cleanup EXIT

for tool in Xvfb openbox xdotool wmctrl xev xprop; do
  command -v "$tool" >/dev/null || { echo "linux_perf: $tool is missing (tools/install-deps.sh)" >&2; exit 1; }
done
if [ -z "${MOX_XVFB_PID:-}" ]; then
  XS_SCREEN=1280x800x24 xs_start --wm || exit 1
  own_x=1
  MOX_XVFB_PID=$XS_XVFB_PID
fi

out() { printf '%s\t%s\t%s\n' "$label" "$1" "$2"; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null; }
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
load() { cut -d' ' -f1 /proc/loadavg; }

# CPU of process $1 and of the X server over the windows; prints
# "program x-server sum" (percent of one core, medians) and the load range.
cpu_figure() {
  local p=$1 hz i a0 x0 t0 a1 x1 t1 loads=()
  hz=$(getconf CLK_TCK)
  : >"$work/cpu"
  for ((i = 0; i < runs; i++)); do
    loads+=("$(load)")
    a0=$(ticks "$p") x0=$(ticks "$MOX_XVFB_PID") t0=$(date +%s%N)
    measure_for "$seconds"
    a1=$(ticks "$p") x1=$(ticks "$MOX_XVFB_PID") t1=$(date +%s%N)
    awk -v a=$((a1 - a0)) -v x=$((x1 - x0)) -v hz="$hz" -v ns=$((t1 - t0)) \
      'BEGIN { s = ns / 1e9 * hz / 100; printf "%.2f %.2f %.2f\n", a / s, x / s, (a + x) / s }' >>"$work/cpu"
  done
  loads+=("$(load)")
  printf '%s / %s / %s %% (load %s)\n' "$(cut -d' ' -f1 "$work/cpu" | median)" \
    "$(cut -d' ' -f2 "$work/cpu" | median)" "$(cut -d' ' -f3 "$work/cpu" | median)" \
    "$(printf '%s\n' "${loads[@]}" | sort -n | sed -n '1p;$p' | paste -sd-)"
}

# Private dirty memory of process $1 and the X server's pixmaps for its
# client, in MB.
memory_figure() {
  local dirty pixmaps
  dirty=$(awk '/^Private_Dirty:/ {print $2}' "/proc/$1/smaps_rollup")
  pixmaps=""
  if command -v xrestop >/dev/null; then
    pixmaps=$(xrestop -b -m 1 2>/dev/null | awk -v p="$1" '
      / - .*\( PID: *[0-9?]+ *\):$/ { found = ($0 ~ ("PID: *" p " *\\):$")) }
      found && /pixmap bytes/ { print $NF; exit }')
  fi
  awk -v d="$dirty" -v x="${pixmaps:-0}" -v have="${pixmaps:+1}" 'BEGIN {
    if (have) printf "%.2f MB (%.2f private dirty + %.2f X pixmaps)\n", d / 1024 + x / 1048576, d / 1024, x / 1048576
    else printf "%.1f MB private dirty (X pixmaps not measured: no xrestop)\n", d / 1024 }'
}

full_screen() { [ "$(xs_geometry "$1" | cut -d' ' -f3-4)" = "1280 800" ]; }

# Start to MapNotify of the first top-level window, in ms, of the command
# "$@" started in $work, in a process group of its own (ended with it): xev
# listens once it reports a change of a root property made for the purpose.
map_ms() {
  local fifo="$work/xev.fifo" start p line result=""
  rm -f "$fifo" "$work/moxtimer.ini"
  mkfifo "$fifo"
  xev -root -event substructure -event property >"$fifo" 2>/dev/null &
  local xev=$!
  exec 3<"$fifo"
  probe() { xprop -root -f MOX_PERF_PROBE 8s -set MOX_PERF_PROBE "$RANDOM" && read -r -t 0 -u 3; }
  poll 5000 probe || echo "linux_perf: xev does not report" >&2
  start=$(date +%s%N)
  (cd "$work" && exec setsid "$@" >/dev/null 2>&1) &
  p=$!
  while IFS= read -r -t 20 line <&3; do
    case "$line" in
      MapNotify*) result=$((($(date +%s%N) - start) / 1000000)); break ;;
    esac
  done
  exec 3<&-
  kill "$xev" 2>/dev/null
  kill -- "-$p" 2>/dev/null
  wait "$xev" "$p" 2>/dev/null
  echo "${result:-timeout}"
}

# "median ms (runs: ...)" of five map_ms runs of "$@".
map_figure() {
  local maps=() i
  for i in 1 2 3 4 5; do maps+=("$(map_ms "$@")"); done
  echo "$(printf '%s\n' "${maps[@]}" | median) ms (runs: ${maps[*]})"
}

ours() {
  label=$1
  cp "$2" "$work/moxtimer" || exit 1
  local precision mode w
  [ -n "${MOX_PERF_ONLY:-}" ] || out "start to mapped window" "$(map_figure ./moxtimer)"
  for precision in decisecond centisecond; do
    for mode in small full; do
      case " ${MOX_PERF_ONLY:-$precision-$mode} " in *" $precision-$mode "*) ;; *) continue ;; esac
      rm -f "$work/moxtimer.ini"
      (cd "$work" && exec setsid ./moxtimer -start "-precision=$precision" >/dev/null 2>&1) &
      pid=$!
      poll 10000 eval 'w=$(xs_window_of "$pid" moxStopwatchTimer) && xs_painted "$w"' ||
        { out "$precision $mode" "not measured: no window"; continue; }
      if [ "$mode" = full ]; then
        xs_key "$w" F11 && poll 5000 full_screen "$w" ||
          { out "CPU $precision $mode" "not measured: no full screen"; kill -- "-$pid"; wait "$pid" 2>/dev/null; pid=""; continue; }
      fi
      out "CPU $precision $mode" "$(cpu_figure "$pid")"
      [ "$precision" = centisecond ] && out "memory $mode" "$(memory_figure "$pid")"
      kill -- "-$pid" && wait "$pid" 2>/dev/null
      pid=""
    done
  done
}

clocks() {
  label="GNOME Clocks"
  command -v gnome-clocks >/dev/null || { out "CPU" "not measured: gnome-clocks is not installed (apt-get install gnome-clocks)"; return; }
  local mode w look clocks_pid
  # Its own settings, opening on the stopwatch, with no location lookup for
  # the world clocks; its own session bus, as a desktop would give it;
  # cairo, as our program draws; no accessibility bus, as ours runs
  # (NO_AT_BRIDGE). In a process group of its own, ended with it.
  mkdir -p "$work/config/glib-2.0/settings"
  printf '[org/gnome/clocks]\ngeolocation=false\n\n[org/gnome/clocks/state/window]\npanel-id=%s\n' \
    "'stopwatch'" >"$work/config/glib-2.0/settings/keyfile"
  local start=(env XDG_CONFIG_HOME="$work/config" GSETTINGS_BACKEND=keyfile GSK_RENDERER=cairo
    GTK_A11Y=none dbus-run-session -- gnome-clocks)
  out "start to mapped window" "$(map_figure "${start[@]}")"
  # Its window of this start (one of a process in its process group), painted.
  this_start() {
    for w in $(xdotool search --onlyvisible --name "^Clocks$" 2>/dev/null); do
      clocks_pid=$(xprop -id "$w" _NET_WM_PID 2>/dev/null | sed -n 's/.* = //p')
      [ -n "$clocks_pid" ] && [ "$(ps -o pgid= -p "$clocks_pid" 2>/dev/null | tr -d ' ')" = "$pid" ] &&
        xs_painted "$w" && return 0
    done
    return 1
  }
  for mode in small full; do
    (cd "$work" && exec setsid "${start[@]}" >/dev/null 2>&1) &
    pid=$!
    poll 20000 this_start ||
      { out "CPU decisecond $mode" "not measured: no window"; kill -- "-$pid"; wait "$pid"; pid=""; continue; }
    # Space on the focused Start button; running once the window keeps
    # changing.
    look=$(xs_look "$w")
    if ! xs_key "$w" space || ! poll 5000 xs_look_is_not "$w" "$look" || ! look=$(xs_look "$w") ||
      ! poll 5000 xs_look_is_not "$w" "$look"; then
      out "CPU decisecond $mode" "not measured: the stopwatch did not start"
      kill -- "-$pid"; wait "$pid"; pid=""; continue
    fi
    if [ "$mode" = full ]; then
      if ! wmctrl -i -r "$w" -b add,fullscreen || ! poll 5000 full_screen "$w"; then
        out "CPU decisecond $mode" "not measured: no full screen"
        kill -- "-$pid"; wait "$pid"; pid=""; continue
      fi
    fi
    out "CPU decisecond $mode" "$(cpu_figure "$clocks_pid")"
    out "memory $mode" "$(memory_figure "$clocks_pid")"
    kill -- "-$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
  done
}

case "$kind" in
  ours) ours "${2:?label}" "${3:?program}" ;;
  clocks) clocks ;;
  *) echo "usage: linux_perf.sh ours LABEL PROGRAM | linux_perf.sh clocks" >&2; exit 2 ;;
esac
