#!/usr/bin/env bash
# The performance table in one run, printed as Markdown:
#  - the Linux program: time from start to its mapped window, the CPU share
#    of a running stopwatch at second, decisecond and centisecond precision,
#    its private memory (bench/linux_perf.sh where it exists, on a private
#    Xvfb display; the second-precision figure measured here the same way);
#  - the tick's lateness at a 10 ms period (dist/linux/tick_probe);
#  - the core's benchmarks (bench_core of the linux build);
#  - the sizes of both Windows programs.
# Builds nothing: run after cmake --build --preset linux (and the Windows
# presets). A figure that cannot be measured is shown as "not measured" with
# the reason. MOX_PERF_SECONDS sets the length of each CPU measurement
# (default 10); MOX_BENCH_CORE names another bench_core, MOX_PROGRAM another
# Linux program, MOX_DIST another folder of Windows programs.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source tools/xsession.sh
seconds="${MOX_PERF_SECONDS:-10}"
program="${MOX_PROGRAM:-$root/dist/linux/moxtimer}"
probe="$root/dist/linux/tick_probe"
bench_core="${MOX_BENCH_CORE:-$root/build/linux/bench/bench_core}"

work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-bench.XXXXXX")"
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT

rows=()
row() { rows+=("| $1 | $2 |"); }
echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1), load $(cut -d' ' -f1-3 /proc/loadavg)"

# CPU share of one core, in percent, over MOX_PERF_SECONDS, of a stopwatch
# running at precision $1; leaves its private memory (kB) in $work/private_kb:
# Private_Dirty on the first line, Private_Clean + Private_Dirty on the second.
cpu_share() {
  rm -f "$work/moxtimer.ini"
  (cd "$work" && exec ./moxtimer -start "-precision=$1" >/dev/null 2>&1) &
  pid=$!
  # From its first paint on: start-up is no part of the measurement.
  poll 10000 eval 'w=$(xs_window_of "$pid" moxStopwatchTimer) && xs_painted "$w"'
  local hz c0 c1 t0 t1
  hz=$(getconf CLK_TCK)
  c0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  t0=$(date +%s%N)
  measure_for "$seconds"
  c1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  t1=$(date +%s%N)
  awk '/^Private_Dirty:/ { d = $2 } /^Private_(Clean|Dirty):/ { s += $2 } END { print d; print s }' \
    "/proc/$pid/smaps_rollup" >"$work/private_kb"
  kill "$pid"
  wait "$pid" 2>/dev/null
  pid=""
  awk -v c=$((c1 - c0)) -v hz="$hz" -v ns=$((t1 - t0)) 'BEGIN { printf "%.2f", 100 * c / hz / (ns / 1e9) }'
}

# --- The Linux program.
if [ ! -x "$program" ]; then
  row "Linux program" "not measured: $program is not built"
else
  cp "$program" "$work/moxtimer"
  perf_out=""
  if [ -f bench/linux_perf.sh ]; then
    echo "--- bench/linux_perf.sh"
    perf_out="$(MOX_PROGRAM="$program" MOX_PERF_SECONDS="$seconds" bash bench/linux_perf.sh 2>&1)"
    echo "$perf_out"
  fi
  # figure LABEL: the value column of linux_perf.sh's line starting LABEL.
  figure() { awk -v l="$1" 'index($0, l) == 1 { s = substr($0, length(l) + 1); split(s, f, " "); print f[1]; exit }' <<<"$perf_out"; }
  map=$(figure "start to mapped window (median)")
  runs=$(sed -n 's/^start to mapped window, 5 runs (ms): //p' <<<"$perf_out")
  deci=$(figure "CPU, stopwatch at decisecond")
  centi=$(figure "CPU, stopwatch at centisecond")
  deci_mb=$(figure "private dirty memory (decisecond run)")
  centi_mb=$(figure "private dirty memory (centisecond run)")

  if ! xs_start; then
    row "Linux program" "not measured: no X display"
  else
    if [ -z "$map" ]; then
      # No linux_perf.sh figure: until the window is mapped, by polling.
      times=()
      for _ in 1 2 3 4 5; do
        rm -f "$work/moxtimer.ini"
        t0=$(date +%s%N)
        (cd "$work" && exec ./moxtimer >/dev/null 2>&1) &
        pid=$!
        mapped() { xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; }
        poll 10000 mapped && times+=($((($(date +%s%N) - t0) / 1000000)))
        kill "$pid"; wait "$pid" 2>/dev/null; pid=""
      done
      runs="${times[*]}"
      map=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
    fi
    sec=$(cpu_share second)
    sec_dirty_kb=$(sed -n 1p "$work/private_kb")
    sec_kb=$(sed -n 2p "$work/private_kb")
    [ -n "$deci" ] || { deci=$(cpu_share decisecond); deci_mb=$(awk -v k="$(sed -n 1p "$work/private_kb")" 'BEGIN { printf "%.1f", k / 1024 }'); }
    [ -n "$centi" ] || { centi=$(cpu_share centisecond); centi_mb=$(awk -v k="$(sed -n 1p "$work/private_kb")" 'BEGIN { printf "%.1f", k / 1024 }'); }
    xs_stop
    row "Linux program: start to mapped window (median of 5)" "${map:-?} ms (runs: ${runs:-?})"
    # /proc counts CPU time in clock ticks: one tick over the measurement is
    # the smallest share it can show.
    resolution=$(awk -v hz="$(getconf CLK_TCK)" -v s="$seconds" 'BEGIN { printf "%.2f", 100 / hz / s }')
    row "Linux program: CPU, running stopwatch, second precision" "${sec} % of one core (over ${seconds} s; resolution ${resolution} %)"
    row "Linux program: CPU, running stopwatch, decisecond precision" "${deci:-?} % of one core"
    row "Linux program: CPU, running stopwatch, centisecond precision" "${centi:-?} % of one core"
    row "Linux program: private dirty memory, second run" "$(awk -v k="$sec_dirty_kb" 'BEGIN { printf "%.1f", k / 1024 }') MB (with Private_Clean: $(awk -v k="$sec_kb" 'BEGIN { printf "%.1f", k / 1024 }') MB)"
    [ -n "$deci_mb" ] && row "Linux program: private dirty memory, decisecond run" "${deci_mb} MB"
    [ -n "$centi_mb" ] && row "Linux program: private dirty memory, centisecond run" "${centi_mb} MB"
  fi
fi

# --- The tick's lateness.
if [ -x "$probe" ]; then
  echo "--- tick_probe --period 10 --seconds 5"
  probe_out="$("$probe" --period 10 --seconds 5 2>&1)"
  echo "$probe_out"
  val() { sed -n "s/^$1=//p" <<<"$probe_out"; }
  row "Tick at 10 ms: lateness median / 99th percentile / max" "$(val late_p50_us) / $(val late_p99_us) / $(val late_max_us) µs ($(val ticks) of $(val expected) ticks, $(val skipped) skipped, $(val overlaps) overlapping)"
else
  row "Tick at 10 ms" "not measured: $probe is not built"
fi

# --- The core's benchmarks.
if [ -x "$bench_core" ]; then
  echo "--- $(basename "$bench_core")"
  "$bench_core" --benchmark_format=console --benchmark_color=false --benchmark_min_time=0.2 \
    >"$work/bench.txt" 2>&1
  cat "$work/bench.txt"
  # Console lines: name, time, unit, CPU time, unit, iterations, counters.
  while read -r name _ _ cpu unit _ counters; do
    row "Core: $name" "$cpu $unit CPU time per call${counters:+ ($counters)}"
  done < <(grep '^BM_' "$work/bench.txt")
else
  row "Core benchmarks" "not measured: $bench_core is not built"
fi

# --- The Windows programs.
for arch in x86 x64; do
  exe="${MOX_DIST:-$root/dist}/windows-$arch/MoxTimer.exe"
  if [ -f "$exe" ]; then
    size=$(stat -c %s "$exe")
    row "Windows program size, $arch" "$size bytes ($(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1024 }') KB)"
  else
    row "Windows program size, $arch" "not measured: $exe is not built"
  fi
done

echo
echo "| Measure | Figure |"
echo "|---|---|"
printf '%s\n' "${rows[@]}"
