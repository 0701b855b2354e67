#!/usr/bin/env bash
# Runs a test that needs a display on a private Xvfb display of its own
# (tools/xsession.sh, without a window manager). Exits 77 (CTest: skipped)
# only when Xvfb is not installed.
command -v Xvfb >/dev/null || { echo "Xvfb is not installed (tools/install-deps.sh): skipped"; exit 77; }
root="$(cd "$(dirname "$0")/../../.." && pwd)"
source "$root/tools/xsession.sh"
trap xs_stop EXIT
XS_SCREEN=1024x768x24 xs_start || exit 1
# In the sanitizer builds: GTK keeps its caches until exit (no leak check),
# and the system libraries' own threads have their suppressions.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export TSAN_OPTIONS="${TSAN_OPTIONS:-suppressions=$root/tools/tsan.supp}"
"$@"
