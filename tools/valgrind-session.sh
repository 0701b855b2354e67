#!/usr/bin/env bash
# The Linux program under Valgrind memcheck for a short scripted session on a
# private Xvfb display (openbox as window manager): started at centisecond
# precision and running, it gets the context menu, a color, a style, another
# precision, full screen in and out, countdown entry in and out, a pause and
# a resume (xs_session in tools/xsession.sh: each step waits for the state it
# leads to), and is closed through the window manager.
#
# Passes when memcheck saw no invalid read or write, no use of undefined
# values and no other error, and no definite leak, after the suppressions in
# tools/valgrind.supp (what GTK, GLib, fontconfig and the X libraries keep
# for the process's lifetime, never our code). The full log, with a
# suppression written out for every report, stays in MOX_VALGRIND_LOG
# (default build/valgrind-session.log).
#
# MOX_PROGRAM names the program (default dist/linux/moxtimer).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source tools/xsession.sh
program="${MOX_PROGRAM:-$root/dist/linux/moxtimer}"
log="${MOX_VALGRIND_LOG:-$root/build/valgrind-session.log}"

for tool in valgrind xdotool xprop wmctrl openbox; do
  command -v "$tool" >/dev/null || { echo "valgrind-session: $tool is missing (tools/install-deps.sh)"; exit 1; }
done
[ -x "$program" ] || { echo "valgrind-session: $program is not built (cmake --build --preset linux)"; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-valgrind.XXXXXX")"
trap 'xs_stop; rm -rf "$work"' EXIT
xs_start --wm || exit 1
mkdir -p "$(dirname "$log")"
cp "$program" "$work/moxtimer"

# GLib's slice allocator and its caches hide frees from Valgrind otherwise.
# Valgrind slows the program some twenty times, more on a cold machine:
# every step waits up to a minute for its state.
xs_checked_session "$work" 60000 env G_SLICE=always-malloc G_DEBUG=gc-friendly valgrind --tool=memcheck \
  --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
  --track-origins=yes --num-callers=40 --gen-suppressions=all \
  --suppressions="$root/tools/valgrind.supp" --log-file="$log" \
  ./moxtimer -precision=centisecond -start
session=$?
[ -n "$XS_CHECKED_RC" ] || { echo "valgrind-session: no finished session under Valgrind"; tail -20 "$log"; exit 1; }

status=0
invalid=$(grep -c 'Invalid \(read\|write\|free\)' "$log")
uninit=$(grep -c 'uninitialised value\|depends on uninitialised' "$log")
definite=$(sed -n 's/.*definitely lost: \([0-9,]*\) bytes.*/\1/p' "$log" | tr -d , | tail -1)
errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9]*\) errors.*/\1/p' "$log" | tail -1)
echo "valgrind: invalid accesses ${invalid}, uninitialised uses ${uninit}, definitely lost ${definite:-?} bytes (after suppressions), errors ${errors:-?}"
grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|still reachable|suppressed:' "$log" | sed 's/^==[0-9]*== /    /'
if [ -z "$errors" ]; then
  echo "valgrind-session: no error summary in $log"; status=1
elif [ "$errors" -ne 0 ] || [ "$invalid" -ne 0 ]; then
  echo "valgrind-session: errors reported; the first:"
  awk '/^==[0-9]+== (Invalid|Conditional|Use of|Syscall|Mismatched|[0-9,]+ bytes in [0-9,]+ blocks are definitely)/{p=1} p&&/^==[0-9]+== $/{exit} p' "$log" | head -40
  status=1
fi
[ "$session" -eq 0 ] || status=1
# The choices of the session were written at close.
if ! grep -qx -- '-color=orange' "$work/moxtimer.ini" 2>/dev/null || ! grep -qx -- '-style=straight' "$work/moxtimer.ini"; then
  echo "valgrind-session: the settings file lacks -color=orange or -style=straight"
  status=1
fi
echo "valgrind-session: log in $log"
exit $status
