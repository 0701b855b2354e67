#!/usr/bin/env bash
# The x64 Windows program under Wine on Xvfb 1280x800 with openbox, as built
# now and as it was before partial repaints (commit 063c609): a stopwatch
# running at hundredths in full screen (F11), the share of one core taken by
# the program, by wineserver and by the X server, and their sum; each the
# median of MOX_PERF_RUNS (default 3) windows of MOX_PERF_SECONDS (default
# 60) seconds, with the load average over them. One program at a time.
#
#   bench/wine_perf.sh [LABEL=EXE...]
#
# Without arguments: "before" is MOX_BEFORE_EXE or, without it, built from
# that commit in a temporary folder (a few minutes), and "ours" is
# dist/windows-x64/MoxTimer.exe. MOX_PERF_SETTINGS lists the settings
# (default "centisecond-full"; also decisecond-small and the like). The Wine
# prefix is build/wineprefix-perf (made once by tools/wine-run), with a
# wineserver of its own started here so that its CPU can be read.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/xsession.sh"
seconds="${MOX_PERF_SECONDS:-60}"
runs="${MOX_PERF_RUNS:-3}"
before_commit=063c609
export MOX_WINEPREFIX="${MOX_WINEPREFIX:-$root/build/wineprefix-perf}"
export WINEPREFIX="$MOX_WINEPREFIX"
for tool in wine wineserver Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "wine_perf: $tool is missing (tools/install-deps.sh)" >&2; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-wine-perf.XXXXXX")"
pid="" server=""
cleanup() {
  [ -n "$pid" ] && kill -- "-$pid" 2>/dev/null
  # Ends this prefix's server and every Wine process on it: all started here.
  [ -n "$server" ] && wineserver -k >/dev/null 2>&1
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT

programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
  before="${MOX_BEFORE_EXE:-}"
  if [ -z "$before" ]; then
    echo "--- building the Windows program of $before_commit in $work/before" >&2
    mkdir -p "$work/before"
    if git -C "$root" archive "$before_commit" | tar -x -C "$work/before" &&
      cmake -S "$work/before" --preset windows-x64 >"$work/before.log" 2>&1 &&
      cmake --build "$work/before/build/windows-x64" -j2 --target MoxTimer >>"$work/before.log" 2>&1; then
      before="$work/before/dist/windows-x64/MoxTimer.exe"
    else
      tail -20 "$work/before.log" >&2
    fi
  fi
  [ -n "$before" ] && programs+=("before=$before")
  programs+=("ours=$root/dist/windows-x64/MoxTimer.exe")
fi

XS_SCREEN=1280x800x24 xs_start --wm || exit 1
# The prefix made (under tools/wine-run's lock) and its server gone, then a
# persistent server of our own, ready once its socket is there.
mkdir -p "$WINEPREFIX"
(cd "$work" && "$root/tools/wine-run" cmd /c exit >/dev/null 2>&1)
wineserver -w
wineserver -f -p >/dev/null 2>&1 &
server=$!
# Its socket's folder differs between Wine packages: the socket itself is
# what is waited on.
listening() { find "/proc/$server/fd" -lname 'socket:*' 2>/dev/null | grep -q .; }
poll 10000 listening || { echo "wine_perf: wineserver did not start" >&2; exit 1; }

out() { printf '%s\t%s\t%s\n' "$label" "$1" "$2"; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null; }
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
load() { cut -d' ' -f1 /proc/loadavg; }
full_screen() { [ "$(xs_geometry "$1" | cut -d' ' -f3-4)" = "1280 800" ]; }

# CPU of the program $1, wineserver and the X server; prints "program /
# wineserver / X server / sum %" (medians) and the load range.
cpu_figure() {
  local p=$1 hz i a0 s0 x0 t0 a1 s1 x1 t1 loads=()
  hz=$(getconf CLK_TCK)
  : >"$work/cpu"
  for ((i = 0; i < runs; i++)); do
    loads+=("$(load)")
    a0=$(ticks "$p") s0=$(ticks "$server") x0=$(ticks "$XS_XVFB_PID") t0=$(date +%s%N)
    measure_for "$seconds"
    a1=$(ticks "$p") s1=$(ticks "$server") x1=$(ticks "$XS_XVFB_PID") t1=$(date +%s%N)
    awk -v a=$((a1 - a0)) -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v hz="$hz" -v ns=$((t1 - t0)) \
      'BEGIN { k = ns / 1e9 * hz / 100; printf "%.2f %.2f %.2f %.2f\n", a / k, s / k, x / k, (a + s + x) / k }' >>"$work/cpu"
  done
  loads+=("$(load)")
  printf '%s / %s / %s / %s %% (load %s)\n' "$(cut -d' ' -f1 "$work/cpu" | median)" \
    "$(cut -d' ' -f2 "$work/cpu" | median)" "$(cut -d' ' -f3 "$work/cpu" | median)" \
    "$(cut -d' ' -f4 "$work/cpu" | median)" \
    "$(printf '%s\n' "${loads[@]}" | sort -n | sed -n '1p;$p' | paste -sd-)"
}

echo "CPU: program / wineserver / X server / sum, % of one core"
w=""
for entry in "${programs[@]}"; do
  label=${entry%%=*}
  exe=${entry#*=}
  [ -f "$exe" ] || { out "CPU" "not measured: $exe is not built"; continue; }
  for setting in ${MOX_PERF_SETTINGS:-centisecond-full}; do
    precision=${setting%-*}
    dir="$work/$label"
    rm -rf "$dir" && mkdir -p "$dir" && cp "$exe" "$dir/MoxTimer.exe"
    (cd "$dir" && exec setsid "$root/tools/wine-run" ./MoxTimer.exe -start "-precision=$precision" \
      >/dev/null 2>&1) &
    pid=$!
    poll 30000 eval 'w=$(xdotool search --onlyvisible --name "^Stopwatch" 2>/dev/null | head -1) && [ -n "$w" ] && xs_painted "$w"' ||
      { out "CPU $setting" "not measured: no window"; kill -- "-$pid"; pid=""; continue; }
    # The process that owns the window: the program's own, not the launcher.
    program_pid=$(xdotool getwindowpid "$w" 2>/dev/null)
    if [ "${setting#*-}" = full ]; then
      xs_key "$w" F11 && poll 5000 full_screen "$w" ||
        { out "CPU $setting" "not measured: no full screen"; kill -- "-$pid"; pid=""; continue; }
    fi
    out "CPU $setting" "$(cpu_figure "${program_pid:-$pid}")"
    kill -- "-$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
    poll 10000 eval '! xdotool search --onlyvisible --name "^Stopwatch" >/dev/null 2>&1'
  done
done
