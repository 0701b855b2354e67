#!/usr/bin/env bash
# End-to-end tests of the Linux program: the real moxtimer on a virtual X
# display (Xvfb, started here on a free display number) with openbox as its
# window manager, driven with xdotool and read with xprop, xwininfo and
# screenshots. Runs every tests/linux_e2e/test_*.sh and ends with one line
# "N passed, N failed"; exits non-zero when any check failed.
#
# MOX_PROGRAM names the program (default dist/linux/moxtimer) and
# MOX_EXPECTED_DISPLAY the helper built with it (default
# build/linux/linux_e2e/mox_expected_display). Arguments name test files to
# run instead of all.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
export MOX_PROGRAM="${MOX_PROGRAM:-$root/dist/linux/moxtimer}"
export MOX_EXPECTED_DISPLAY="${MOX_EXPECTED_DISPLAY:-$root/build/linux/linux_e2e/mox_expected_display}"

for tool in Xvfb openbox xdotool xprop xwininfo xdpyinfo import convert wmctrl; do
  command -v "$tool" >/dev/null || { echo "linux-e2e: $tool is missing (tools/install-deps.sh)"; exit 1; }
done
for file in "$MOX_PROGRAM" "$MOX_EXPECTED_DISPLAY"; do
  [ -x "$file" ] || { echo "linux-e2e: $file is not built (cmake --build --preset linux)"; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-e2e.XXXXXX")"
xvfb_pid=""
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display number itself and tells it through fd 3,
# so that nothing else can take the number between choosing and starting.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 200); do [ -s "$work/display" ] && break; sleep 0.05; done
display=":$(head -n1 "$work/display" 2>/dev/null)"
if [ "$display" = ":" ] || ! xdpyinfo -display "$display" >/dev/null 2>&1; then
  echo "linux-e2e: Xvfb did not start"
  cat "$work/xvfb.log"
  exit 1
fi

export DISPLAY="$display"
# Neither the accessibility bus nor a Wayland compositor of the caller's
# session is wanted here.
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
unset WAYLAND_DISPLAY
# openbox now and then quits at start on a busy machine; give it three tries.
for _ in 1 2 3; do
  openbox >>"$work/openbox.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 1 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.05; done
  sleep 0.5
  kill -0 "$wm_pid" 2>/dev/null && break
done
kill -0 "$wm_pid" 2>/dev/null || { echo "linux-e2e: openbox did not start"; cat "$work/openbox.log"; exit 1; }

if [ $# -gt 0 ]; then tests=("$@"); else tests=("$root"/tests/linux_e2e/test_*.sh); fi
passed=0
failed=0
start=$(date +%s)
for test in "${tests[@]}"; do
  echo "=== $(basename "$test")"
  if ! kill -0 "$xvfb_pid" 2>/dev/null || ! kill -0 "$wm_pid" 2>/dev/null; then
    echo "linux-e2e: the X server or the window manager has gone"
    failed=$((failed + 1))
    break
  fi
  mkdir -p "$work/$(basename "$test" .sh)"
  out="$(MOX_E2E_WORK="$work/$(basename "$test" .sh)" bash "$test" 2>&1)"
  rc=$?
  echo "$out"
  line="$(echo "$out" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -1)"
  if [ -n "$line" ]; then
    passed=$((passed + ${line%% passed*}))
    f="${line#*passed, }"
    failed=$((failed + ${f%% failed*}))
  fi
  # A test file that died before its closing line counts as one failure.
  if [ -z "$line" ] || { [ "$rc" -ne 0 ] && [ "${line#*passed, }" = "0 failed" ]; }; then
    failed=$((failed + 1))
  fi
done
echo "linux-e2e: $(($(date +%s) - start)) s"
echo "${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]
