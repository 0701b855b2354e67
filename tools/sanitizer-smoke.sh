#!/usr/bin/env bash
# A short end-to-end session of the Linux program built with a sanitizer (the
# asan preset: AddressSanitizer and UndefinedBehaviorSanitizer; the tsan
# preset: ThreadSanitizer, with tools/tsan.supp), on a private Xvfb display
# with openbox: started running at centisecond precision, it gets the context
# menu, a color, a style, another precision, full screen in and out,
# countdown entry in and out, a pause and a resume, and is closed through the
# window manager. Passes when the sanitizers reported nothing, the program
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
find_win() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [ "$(xs_title "$w")" = Stopwatch ] && { win=$w; return 0; }
  done
  return 1
}
if ! xs_poll 30000 find_win; then
  echo "sanitizer-smoke: the window did not appear"
  cat "$work"/sanitizer* "$work/stderr.log" 2>/dev/null | head -40
  exit 1
fi

focus() { xdotool windowactivate --sync "$win" >/dev/null 2>&1 || xdotool windowfocus --sync "$win" >/dev/null 2>&1; }
key() { focus; xdotool key "$1"; sleep "${2:-0.4}"; }
menu() {
  key Menu 0.8
  local k
  for k in "$@"; do xdotool key "$k"; sleep 0.4; done
}
menu Escape
menu c o
menu y s
menu p d
menu p c
key F11 1
key Escape 1
menu t c
key 1
key Escape 1
key space
key space
wmctrl -i -c "$win"
status=0
if ! xs_poll 20000 xs_gone "$pid"; then
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
