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
trap 'xs_stop; rm -rf "$work"' EXIT
xs_start --wm || exit 1
cp "$program" "$work/moxtimer"

# A sanitized program runs a few times slower: a generous deadline per step.
status=0
xs_checked_session "$work" 30000 env ASAN_OPTIONS="detect_leaks=0:log_path=$work/sanitizer" \
  UBSAN_OPTIONS="print_stacktrace=1:log_path=$work/sanitizer" \
  TSAN_OPTIONS="log_path=$work/sanitizer:suppressions=$root/tools/tsan.supp" \
  ./moxtimer -precision=centisecond -start || status=1
rc=${XS_CHECKED_RC:-1}
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
