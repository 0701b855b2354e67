#!/usr/bin/env bash
# Runs a test that needs a display on a private Xvfb display of its own.
# Exits 77 (CTest: skipped) only when Xvfb is not installed.
command -v Xvfb >/dev/null || { echo "Xvfb is not installed (tools/install-deps.sh): skipped"; exit 77; }
source "$(dirname "$0")/../../../tests/linux_e2e/lib.sh"
work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-xvfb.XXXXXX")"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
if ! poll 10000 test -s "$work/display"; then
  echo "Xvfb did not start:" && cat "$work/xvfb.log"
  kill "$xvfb" 2>/dev/null; rm -rf "$work"; exit 1
fi
# In the sanitizer builds: GTK keeps its caches until exit (no leak check),
# and the system libraries' own threads have their suppressions.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export TSAN_OPTIONS="${TSAN_OPTIONS:-suppressions=$(cd "$(dirname "$0")/../../.." && pwd)/tools/tsan.supp}"
DISPLAY=":$(head -n1 "$work/display")" NO_AT_BRIDGE=1 GDK_BACKEND=x11 "$@"
status=$?
kill "$xvfb" && wait "$xvfb" 2>/dev/null
rm -rf "$work"
exit $status
