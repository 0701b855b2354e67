#!/usr/bin/env bash
# Measures the Linux program on a virtual X display (Xvfb, no window
# manager): time from start to the mapped window, the share of one core a
# running stopwatch takes over 10 s at decisecond and centisecond precision
# (from /proc/<pid>/stat), and its private dirty memory
# (/proc/<pid>/smaps_rollup). Prints each figure beside its target and exits
# non-zero when one is missed.
#
# MOX_PROGRAM names the program (default dist/linux/moxtimer); MOX_PERF_SECONDS
# the length of each CPU measurement (default 10).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${MOX_PROGRAM:-$root/dist/linux/moxtimer}"
seconds="${MOX_PERF_SECONDS:-10}"
[ -x "$program" ] || { echo "linux_perf: $program is not built"; exit 1; }
source "$root/tools/xsession.sh"
for tool in Xvfb xdpyinfo xev; do
  command -v "$tool" >/dev/null || { echo "linux_perf: $tool is missing"; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-perf.XXXXXX")"
cleanup() {
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT

XS_SCREEN=1024x768x24 xs_start || exit 1
cp "$program" "$work/moxtimer"
ticks_per_second=$(getconf CLK_TCK)

now_ns() { date +%s%N; }

# Start to mapped: xev reports the MapNotify of every top-level window. It
# listens once it reports a change of a root property made for the purpose.
map_ms() {
  rm -f "$work/moxtimer.ini"
  local fifo="$work/xev.fifo" start pid line result=""
  rm -f "$fifo"
  mkfifo "$fifo"
  xev -root -event substructure -event property >"$fifo" 2>/dev/null &
  local xev=$!
  exec 3<"$fifo"
  probe() { xprop -root -f MOX_PERF_PROBE 8s -set MOX_PERF_PROBE "$RANDOM" && read -r -t 0 -u 3; }
  poll 5000 probe || echo "linux_perf: xev does not report" >&2
  start=$(now_ns)
  (cd "$work" && exec ./moxtimer >/dev/null 2>&1) &
  pid=$!
  while IFS= read -r -t 5 line <&3; do
    case "$line" in
      MapNotify*) result=$((($(now_ns) - start) / 1000000)); break ;;
    esac
  done
  exec 3<&-
  kill "$xev" "$pid" 2>/dev/null
  wait "$xev" "$pid" 2>/dev/null
  echo "${result:-timeout}"
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
painted() { # PID: its window shows, and something is painted in it
  local w
  w=$(xs_window_of "$1" moxStopwatchTimer) && xs_painted "$w"
}

# CPU share of one core while a stopwatch runs, in percent; also leaves the
# private dirty memory of that run in $work/private_kb.
cpu_share() {
  rm -f "$work/moxtimer.ini"
  (cd "$work" && exec ./moxtimer -start "-precision=$1" >/dev/null 2>&1) &
  local pid=$!
  # From its first paint on: start-up is no part of the measurement.
  poll 10000 painted "$pid"
  local t0 c0 t1 c1
  c0=$(cpu_ticks "$pid")
  t0=$(now_ns)
  measure_for "$seconds"
  c1=$(cpu_ticks "$pid")
  t1=$(now_ns)
  awk '/^Private_Dirty:/{print $2}' "/proc/$pid/smaps_rollup" >"$work/private_kb"
  kill "$pid"
  wait "$pid" 2>/dev/null
  awk -v c=$((c1 - c0)) -v hz="$ticks_per_second" -v ns=$((t1 - t0)) \
    'BEGIN{printf "%.2f", 100 * c / hz / (ns / 1e9)}'
}

missed=0
report() { # name value unit target-test target-text
  local verdict=ok
  if ! awk -v v="$2" "BEGIN{exit !(v $4)}"; then verdict=MISSED; missed=1; fi
  printf '%-40s %10s %-3s target %-8s %s\n' "$1" "$2" "$3" "$5" "$verdict"
}

maps=()
for _ in 1 2 3 4 5; do maps+=("$(map_ms)"); done
mapfile -t sorted < <(printf '%s\n' "${maps[@]}" | sort -n)
echo "start to mapped window, 5 runs (ms): ${maps[*]}"
report "start to mapped window (median)" "${sorted[2]}" ms "< 200" "< 200 ms"

deci=$(cpu_share decisecond)
deci_kb=$(cat "$work/private_kb")
report "CPU, stopwatch at decisecond" "$deci" "%" "< 1" "< 1 %"
centi=$(cpu_share centisecond)
centi_kb=$(cat "$work/private_kb")
report "CPU, stopwatch at centisecond" "$centi" "%" "< 3" "< 3 %"
report "private dirty memory (decisecond run)" "$(awk -v k="$deci_kb" 'BEGIN{printf "%.1f", k/1024}')" MB "< 20" "< 20 MB"
report "private dirty memory (centisecond run)" "$(awk -v k="$centi_kb" 'BEGIN{printf "%.1f", k/1024}')" MB "< 20" "< 20 MB"
exit "$missed"
