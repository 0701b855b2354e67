#!/usr/bin/env bash
# End-to-end tests of the Linux program: the real moxtimer on a virtual X
# display (Xvfb, started here on a free display number) with openbox as its
# window manager, driven with xdotool and read with xprop, xwininfo and
# screenshots. Runs every tests/linux_e2e/test_*.sh and ends with one line
# "N passed, N failed"; exits non-zero when any check failed.
#
# MOX_PROGRAM names the program (default dist/linux/moxtimer),
# MOX_EXPECTED_DISPLAY the helper built with it (default
# build/linux/linux_e2e/mox_expected_display) and MOX_NO_ENTRY_MENU_PROGRAM
# the program linked without its entry menu (default
# build/linux/linux_e2e/moxtimer_without_entry_menu). Arguments name test
# files to run instead of all.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
export MOX_PROGRAM="${MOX_PROGRAM:-$root/dist/linux/moxtimer}"
export MOX_EXPECTED_DISPLAY="${MOX_EXPECTED_DISPLAY:-$root/build/linux/linux_e2e/mox_expected_display}"
export MOX_NO_ENTRY_MENU_PROGRAM="${MOX_NO_ENTRY_MENU_PROGRAM:-$root/build/linux/linux_e2e/moxtimer_without_entry_menu}"
source "$root/tools/xsession.sh"

for tool in Xvfb openbox xdotool xprop xwininfo xdpyinfo xkill import convert wmctrl; do
  command -v "$tool" >/dev/null || { echo "linux-e2e: $tool is missing (tools/install-deps.sh)"; exit 1; }
done
for file in "$MOX_PROGRAM" "$MOX_EXPECTED_DISPLAY" "$MOX_NO_ENTRY_MENU_PROGRAM"; do
  [ -x "$file" ] || { echo "linux-e2e: $file is not built (cmake --build --preset linux)"; exit 1; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-e2e.XXXXXX")"
cleanup() {
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT
XS_SCREEN=1024x768x24 xs_start --wm || exit 1

if [ $# -gt 0 ]; then tests=("$@"); else tests=("$root"/tests/linux_e2e/test_*.sh); fi
passed=0
failed=0
start=$(date +%s)
for test in "${tests[@]}"; do
  echo "=== $(basename "$test")"
  if xs_gone "$XS_XVFB_PID" || xs_gone "$XS_WM_PID"; then
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
