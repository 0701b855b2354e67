#!/usr/bin/env bash
# Soak test: a program runs a stopwatch at centisecond precision for a long
# time on a private Xvfb display (openbox as window manager; the Windows
# programs under Wine) while this script, round after round, opens and closes
# the context menu, changes color, style and precision, enters and leaves
# full screen and countdown entry, and pauses and resumes with Space, each
# step waiting for the state it leads to (xs_session, tools/xsession.sh).
#
# Checks, per program:
#  - it keeps responding: every step of every round is confirmed, and after
#    each Space the title changes within 3 s ("Stopwatch (Paused)", then
#    "Stopwatch" again);
#  - its private memory (Private_Clean + Private_Dirty of
#    /proc/<pid>/smaps_rollup; a Wine program is a Linux process) is flat
#    after the warm-up: sampled after every action, the median of the last
#    quarter of the run exceeds the highest sample of the warm-up by at most
#    MOX_SOAK_GROWTH_KB (default 512 kB). When it does, the run goes on
#    for half as long again and only that time's growth over the highest
#    sample before it counts: a leak keeps growing, memory taken once does not;
#  - the brushes, carets and menus the platform layer made balance. The
#    program is started with MOX_RESOURCE_LOG=<file>; at exit it is to write
#    one line "brushes_created=N brushes_freed=N brushes_live=N
#    carets_created=N carets_destroyed=N carets_live=N menus_shown=N"
#    (the live counts, what still exists at exit, may be left out for 0).
#    Created must equal freed plus live, and every menu opening must have
#    been counted. Without that file the check is reported as MISSING,
#    neither passed nor failed;
#  - closing it writes the settings file with the state the script left.
#
# Usage: tools/soak.sh [--minutes M | --seconds S] [--warmup S]
#                      [--program linux|windows-x86|windows-x64|all]...
# Defaults: 10 minutes, warm-up 60 s (a third of the run when shorter),
# all three programs one after the other. MOX_DIST names the folder of the
# programs (default dist). Ends with "N passed, N failed, N missing"; exits
# non-zero when a check failed.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source tools/xsession.sh

seconds=600
warmup=""
programs=()
while [ $# -gt 0 ]; do
  case "$1" in
    --minutes) seconds=$((${2:?} * 60)); shift ;;
    --seconds) seconds=${2:?}; shift ;;
    --warmup) warmup=${2:?}; shift ;;
    --program) programs+=("${2:?}"); shift ;;
    *) echo "usage: tools/soak.sh [--minutes M | --seconds S] [--warmup S] [--program linux|windows-x86|windows-x64|all]" >&2; exit 2 ;;
  esac
  shift
done
[ ${#programs[@]} -eq 0 ] && programs=(all)
[ "${programs[0]}" = all ] && programs=(linux windows-x86 windows-x64)
[ -n "$warmup" ] || warmup=$((seconds >= 180 ? 60 : seconds / 3))
growth_limit="${MOX_SOAK_GROWTH_KB:-512}"
dist="${MOX_DIST:-$root/dist}"

source tools/checks.sh
missing=0

for tool in xdotool xprop wmctrl openbox; do
  command -v "$tool" >/dev/null || { echo "soak: $tool is missing (tools/install-deps.sh)"; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-soak.XXXXXX")"
pid=""
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT
xs_start --wm || exit 1

# Private memory of a process in kB.
private_kb() {
  awk '/^Private_(Clean|Dirty):/ { s += $2 } END { print s + 0 }' "/proc/$1/smaps_rollup" 2>/dev/null
}

# One memory sample, "seconds kB", after every step: full-screen buffers
# and menus come and go within a round.
sample() { echo "$(($(date +%s) - start)) $(private_kb "$pid")" >>"$samples_file"; }
XS_AFTER_STEP=sample

# Rounds (xs_session) until $1 seconds after start, sampling memory; stops
# at the first unconfirmed step. Uses and updates soak_one's locals.
rounds_until() {
  local elapsed
  while [ "$unconfirmed" -eq 0 ]; do
    elapsed=$(($(date +%s) - start))
    sample
    [ "$elapsed" -ge "$1" ] && break
    xs_alive "$pid" || break
    # One round: the menu both ways, another color and style, another
    # precision and back, full screen, countdown entry, a pause and a
    # resume, each step confirmed before the next.
    color=$(((color + 3) % 8))
    style=$(((style + 1) % 2))
    xs_session "$win" "$pid" "${colors[$color]}" "${color_rgb[$color]}" "${styles[$style]}" \
      "${precisions[$((cycle % 3))]}" || unconfirmed=$((unconfirmed + 1))
    cycle=$((cycle + 1))
  done
}

# The highest sample up to $1 s, and the median of the samples from $2 s on.
highest_until() { awk -v w="$1" '$1 <= w && $2 > m { m = $2 } END { print m + 0 }' "$samples_file"; }
median_from() {
  awk -v t="$1" '$1 >= t { print $2 }' "$samples_file" | sort -n |
    awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'
}

soak_one() {
  local which=$1 dir="$work/$1" exe launcher ini
  mkdir -p "$dir"
  case "$which" in
    linux)
      exe="$dist/linux/moxtimer"
      [ -x "$exe" ] || { check "$which: $exe is built" false; return; }
      cp "$exe" "$dir/moxtimer"
      ini="$dir/moxtimer.ini"
      launcher=(./moxtimer)
      ;;
    windows-x86 | windows-x64)
      exe="$dist/$which/MoxTimer.exe"
      [ -f "$exe" ] || { check "$which: $exe is built" false; return; }
      command -v wine >/dev/null || { check "$which: wine is installed" false; return; }
      cp "$exe" "$dir/MoxTimer.exe"
      ini="$dir/MoxTimer.ini"
      export WINEPREFIX="${MOX_SOAK_WINEPREFIX:-$root/build/wineprefix-soak}" WINEDEBUG=-all
      export WINEDLLOVERRIDES="mscoree,mshtml="
      [ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
      launcher=(wine ./MoxTimer.exe)
      ;;
    *) echo "soak: unknown program $which"; failed=$((failed + 1)); return ;;
  esac

  echo "--- $which: ${seconds} s, warm-up ${warmup} s"
  local log="$dir/resources.log"
  (cd "$dir" && MOX_RESOURCE_LOG="$log" exec "${launcher[@]}" -precision=centisecond -start \
    >"$dir/stdout.log" 2>"$dir/stderr.log") &
  local launched=$!
  win=""
  find_win() {
    local w
    for w in $(xdotool search --onlyvisible --name '^Stopwatch' 2>/dev/null); do
      [ "$(xs_title "$w")" = Stopwatch ] && { win=$w; return 0; }
    done
    return 1
  }
  if ! poll 60000 find_win; then
    check "$which: the window appears" false
    sed 's/^/    /' "$dir/stderr.log" | tail -5
    kill "$launched" 2>/dev/null
    return
  fi
  # The process that owns the window (for Wine, the program's own process).
  pid=$(xdotool getwindowpid "$win" 2>/dev/null)
  [ -n "$pid" ] || pid=$launched

  local colors=(r g b w y c m o) color_names=(red green blue white yellow cyan magenta orange)
  local color_rgb=(FF3232 32E632 0064FF E6E6E6 E6E614 32DCDC FF32FF FF9600)
  local styles=(r s) style_names=(rounded straight)
  local precisions=(m s d) cycle=0 color=1 style=0 unconfirmed=0
  XS_MENUS_OPENED=0
  XS_SLOWEST_MS=0
  samples_file="$dir/memory.txt"
  : >"$samples_file"
  start=$(date +%s)
  rounds_until "$seconds"

  check "$which: still running after ${seconds} s" xs_alive "$pid"
  echo "    $cycle rounds, $XS_MENUS_OPENED menus opened, slowest title change ${XS_SLOWEST_MS} ms"
  check "$which: every step of every round confirmed" [ "$unconfirmed" -eq 0 ]
  check "$which: every Space answered by the title within 3 s" [ "$XS_SLOWEST_MS" -le 3000 ]

  # Memory: the highest sample of the warm-up against the median of the
  # samples of the last quarter of the run. GTK and the allocator hold and
  # return whole window buffers (a full-screen surface is several MB), so
  # single samples go up and down by that much; what the program reached in
  # the warm-up, with full screen and every menu already shown, it must not
  # outgrow.
  echo "    private kB, highest of every 10 s:" \
    "$(awk '{ b = int($1 / 10) * 10; if ($2 > m[b]) m[b] = $2 } END { for (k in m) print k, m[k] }' "$samples_file" |
      sort -n | awk '{ printf "%s%s:%s", sep, $1, $2; sep = " " }')"
  local peak last growth
  peak=$(highest_until "$warmup")
  last=$(median_from $((seconds - seconds / 4)))
  if [ -n "$last" ] && [ "$peak" -gt 0 ]; then
    growth=$((last - peak))
    echo "    private memory: highest in the warm-up ${peak} kB, median of the last $((seconds / 4)) s ${last} kB (${growth} kB)"
    # A leak goes on growing; memory taken once does not (a buffer first
    # needed late, a thread Wine's pool adds while the machine is slow).
    # Grown too much, the run goes on for half as long again, and only what
    # that time adds to the highest sample so far counts.
    if [ "$growth" -gt "$growth_limit" ] && [ "$unconfirmed" -eq 0 ] && xs_alive "$pid"; then
      local end=$((seconds + seconds / 2))
      rounds_until "$end"
      peak=$(highest_until "$seconds")
      last=$(median_from $((end - seconds / 4)))
      growth=$((${last:-0} - peak))
      echo "    grown: $((seconds / 2)) s more, highest until then ${peak} kB, median of the last $((seconds / 4)) s ${last} kB (${growth} kB)"
    fi
    check "$which: private memory flat after the warm-up (growth ${growth} kB <= ${growth_limit} kB)" \
      [ "$growth" -le "$growth_limit" ]
  else
    check "$which: memory sampled in the warm-up and at the end" false
  fi

  # Close through the window manager: the settings are written.
  wmctrl -i -c "$win"
  check "$which: closing ends it" poll 10000 xs_gone "$pid"
  wait "$launched" 2>/dev/null
  pid=""
  local text line
  text="$(xs_ini_text "$ini" 2>/dev/null)"
  ini_has() { grep -qx -- "$1" <<<"$text"; }
  for line in -mode=stopwatch -precision=centisecond "-color=${color_names[$color]}" \
    "-style=${style_names[$style]}" -fullScreen=0 -noTitleBar=0 -start=1; do
    check "$which: settings file: $line" ini_has "$line"
  done

  # The platform layer's own count of what it made and freed.
  if [ ! -s "$log" ]; then
    missing=$((missing + 1))
    echo "  MISSING $which: resource counts (the program wrote no MOX_RESOURCE_LOG file)"
  else
    local counts
    counts="$(tr -s ' \n' '\n\n' <"$log")"
    count() { sed -n "s/^$1=\([0-9]*\)$/\1/p" <<<"$counts" | tail -1; }
    echo "    resource log: $(tr '\n' ' ' <"$log")"
    local bc bf bl cc cd cl ms
    bc=$(count brushes_created); bf=$(count brushes_freed); bl=$(count brushes_live)
    cc=$(count carets_created); cd=$(count carets_destroyed); cl=$(count carets_live)
    ms=$(count menus_shown)
    check "$which: brushes created = freed + live at exit (${bc:-?} = ${bf:-?} + ${bl:-0})" \
      eval '[ -n "$bc" ] && [ -n "$bf" ] && [ "$bc" -eq $((bf + ${bl:-0})) ]'
    check "$which: carets created = destroyed + live at exit (${cc:-?} = ${cd:-?} + ${cl:-0})" \
      eval '[ -n "$cc" ] && [ -n "$cd" ] && [ "$cc" -eq $((cd + ${cl:-0})) ]'
    check "$which: countdown entry made carets (${cc:-?} for $cycle entries)" \
      eval '[ -n "$cc" ] && [ "$cc" -ge "$cycle" ]'
    check "$which: every menu opening counted (${ms:-?} of $XS_MENUS_OPENED)" \
      eval '[ -n "$ms" ] && [ "$ms" -ge "$XS_MENUS_OPENED" ]'
  fi
}

for p in "${programs[@]}"; do soak_one "$p"; done
echo "${passed} passed, ${failed} failed, ${missing} missing"
[ "$failed" -eq 0 ]
