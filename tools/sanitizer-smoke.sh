#!/usr/bin/env bash
# A short end-to-end session of the Linux program built with a sanitizer (the
# asan preset: AddressSanitizer and UndefinedBehaviorSanitizer; the tsan
# preset: ThreadSanitizer, with tools/tsan.supp), on a private Xvfb display
# with openbox: started running at centisecond precision, it gets the context
# menu, a color, a style, another precision, full screen in and out,
# countdown entry in and out, a pause and a resume (xs_session in
# tools/xsession.sh: each step waits for the state it leads to), and is
# closed through the window manager. Passes when the sanitizers reported nothing, the program
# exited with 0 and wrote its settings file.
#
# Leak checking is off here: GTK keeps caches until exit, and leaks are
# tools/valgrind-session.sh's business, with its suppressions.
# MOX_PROGRAM names the program (default build/asan/platform/gtk/moxtimer;
# build/tsan/platform/gtk/moxtimer for the ThreadSanitizer build).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source tools/xsession.sh
program="${MOX_PROGRAM:-$root/build/asan/platform/gtk/moxtimer}"

for tool in xdotool xprop wmctrl openbox; do
  command -v "$tool" >/dev/null || { echo "sanitizer-smoke: $tool is missing (tools/install-deps.sh)"; exit 1; }
done
[ -x "$program" ] || { echo "sanitizer-smoke: $program is not built (cmake --build --preset asan)"; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-sanitizer.XXXXXX")"
pid=""
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT
xs_start --wm || exit 1
cp "$program" "$work/moxtimer"

(cd "$work" && ASAN_OPTIONS="detect_leaks=0:log_path=$work/sanitizer" \
  UBSAN_OPTIONS="print_stacktrace=1:log_path=$work/sanitizer" \
  TSAN_OPTIONS="log_path=$work/sanitizer:suppressions=$root/tools/tsan.supp" \
  exec ./moxtimer -precision=centisecond -start >"$work/stdout.log" 2>"$work/stderr.log") &
pid=$!

win=""
find_win() { win=$(xs_window_of "$pid" moxStopwatchTimer) && xs_title_is "$win" Stopwatch; }
if ! poll 60000 find_win; then
  echo "sanitizer-smoke: the window did not appear"
  cat "$work"/sanitizer* "$work/stderr.log" 2>/dev/null | head -40
  exit 1
fi
status=0
# A sanitized program runs a few times slower: a generous deadline per step.
XS_WAIT_MS=30000
xs_session "$win" "$pid" o FF9600 s d || { echo "sanitizer-smoke: the session did not reach the program"; status=1; }
wmctrl -i -c "$win"
if ! poll 60000 xs_gone "$pid"; then
  echo "sanitizer-smoke: the program did not end after close"
  status=1
fi
wait "$pid"
rc=$?
pid=""
reports="$(cat "$work"/sanitizer* 2>/dev/null; grep -E 'runtime error:|ERROR: (Address|Undefined)' "$work/stderr.log")"
if [ -n "$reports" ]; then
  echo "sanitizer-smoke: the sanitizers reported:"
  echo "$reports" | head -60
  status=1
fi
[ "$rc" -eq 0 ] || { echo "sanitizer-smoke: exit code $rc"; status=1; }
grep -q '^-color=orange' "$work/moxtimer.ini" 2>/dev/null ||
  { echo "sanitizer-smoke: the settings file lacks -color=orange"; status=1; }
[ $status -eq 0 ] && echo "sanitizer-smoke: no sanitizer report, exit code 0, settings written"
exit $status
