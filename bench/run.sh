#!/usr/bin/env bash
# The performance table in one run, printed as Markdown:
#  - on one Xvfb (1280x800) with openbox, one program at a time
#    (bench/linux_perf.sh): the Linux program as built now and as it was
#    before partial repaints (commit 063c609), and GNOME Clocks' stopwatch
#    when it is installed: start to mapped window, the CPU share of the
#    program and of the X server with a running stopwatch at tenths and
#    hundredths, small and full screen, and memory with the X pixmaps;
#  - the tick's lateness at a 10 ms period (dist/linux/tick_probe);
#  - the core's benchmarks (bench_core of the linux build);
#  - the sizes of both Windows programs.
# Run after cmake --build --preset linux (and the Windows presets). The
# program before the change is built from that commit in a temporary folder
# (about two minutes) unless MOX_BEFORE_PROGRAM names one. A figure that
# cannot be measured is shown as "not measured" with the reason.
# MOX_PERF_SECONDS (default 60) and MOX_PERF_RUNS (default 3) set each CPU
# figure: the median of that many windows of that length. MOX_PROGRAM names
# another Linux program, MOX_BENCH_CORE another bench_core, MOX_DIST another
# folder of Windows programs. The Windows program under Wine is measured by
# bench/wine_perf.sh.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root" || exit 1
source tools/xsession.sh
export MOX_PERF_SECONDS="${MOX_PERF_SECONDS:-60}" MOX_PERF_RUNS="${MOX_PERF_RUNS:-3}"
program="${MOX_PROGRAM:-$root/dist/linux/moxtimer}"
before_commit=063c609
before="${MOX_BEFORE_PROGRAM:-}"
probe="$root/dist/linux/tick_probe"
bench_core="${MOX_BENCH_CORE:-$root/build/linux/bench/bench_core}"

work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-bench.XXXXXX")"
cleanup() {
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT

rows=()
row() { rows+=("| $1 | $2 |"); }
machine="$(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)"
echo "machine: $machine, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "each CPU figure: median of $MOX_PERF_RUNS windows of $MOX_PERF_SECONDS s"

# --- The program before partial repaints, built from its commit.
if [ -z "$before" ]; then
  echo "--- building the program of $before_commit in $work/before"
  mkdir -p "$work/before"
  if git archive "$before_commit" | tar -x -C "$work/before" &&
    cmake -S "$work/before" --preset linux >"$work/before.log" 2>&1 &&
    cmake --build "$work/before/build/linux" -j2 --target moxtimer >>"$work/before.log" 2>&1; then
    before="$work/before/dist/linux/moxtimer"
  else
    tail -20 "$work/before.log"
  fi
fi

# --- The programs on one X server.
perf="$work/perf.tsv"
: >"$perf"
if ! XS_SCREEN=1280x800x24 xs_start --wm; then
  row "Programs on Xvfb" "not measured: no X display with openbox"
else
  export MOX_XVFB_PID=$XS_XVFB_PID
  measure() { # LABEL linux_perf.sh ARGS...
    echo "--- $1"
    bash bench/linux_perf.sh "${@:2}" 2>&1 | tee -a "$perf"
  }
  if [ -x "${before:-}" ]; then measure "before ($before_commit)" ours before "$before"; fi
  if [ -x "$program" ]; then measure "ours" ours ours "$program"; fi
  measure "GNOME Clocks" clocks
  xs_stop
fi
# cell LABEL MEASURE: the figure of linux_perf.sh's line, or "-".
cell() { awk -F'\t' -v l="$1" -v m="$2" '$1 == l && $2 == m { print $3; f = 1; exit } END { if (!f) print "-" }' "$perf"; }
table=("| On Xvfb 1280x800 with openbox | ours, before ($before_commit) | ours | GNOME Clocks |" "|---|---|---|---|")
for m in "start to mapped window" "CPU decisecond small" "CPU decisecond full" "CPU centisecond small" \
  "CPU centisecond full" "memory small" "memory full"; do
  table+=("| $m | $(cell before "$m") | $(cell ours "$m") | $(cell "GNOME Clocks" "$m") |")
done
[ -x "${before:-}" ] || table+=("| | not measured: no program of $before_commit | | |")
[ -x "$program" ] || table+=("| | | not measured: $program is not built | |")
command -v gnome-clocks >/dev/null || table+=("| | | | not measured: not installed (apt-get install gnome-clocks) |")

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
echo "Machine: $machine. CPU: program / X server / sum, % of one core, median of"
echo "$MOX_PERF_RUNS windows of $MOX_PERF_SECONDS s, with the load average over them. Memory: the"
echo "program's private dirty memory plus the X server's pixmaps for it (xrestop),"
echo "in the hundredths run."
echo
printf '%s\n' "${table[@]}"
echo
echo "| Measure | Figure |"
echo "|---|---|"
printf '%s\n' "${rows[@]}"
