#!/usr/bin/env bash
# End-to-end tests of the Windows program, x86 and x64, under Wine on a
# private Xvfb display with a private Wine prefix. Each architecture's driver
# (tests/windows_e2e) starts MoxTimer.exe of the same build once per test.
# Uses the preset build folders build/windows-x86 and build/windows-x64
# (MOX_E2E_BUILDS overrides), building what is missing. Ends everything it
# started. Exits non-zero when a test fails or cannot run.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
source tools/xsession.sh

builds=(${MOX_E2E_BUILDS:-build/windows-x86 build/windows-x64})
export WINEPREFIX="${MOX_E2E_WINEPREFIX:-$root/build/wineprefix-e2e}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

cleanup() {
  # Only this prefix's processes, then our own display server.
  WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  xs_stop
}
trap cleanup EXIT

for build in "${builds[@]}"; do
  preset="$(basename "$build")"
  if [ ! -f "$build/windows-e2e/windows_e2e.exe" ] || [ ! -f "$build/windows-program/MoxTimer.exe" ]; then
    echo "building $preset"
    { [ -f "$build/build.ninja" ] || cmake --preset "$preset"; } >/dev/null &&
      cmake --build "$build" --target MoxTimer windows_e2e >/dev/null ||
      { echo "windows-e2e: cannot build $build"; exit 1; }
  fi
done

XS_SCREEN=1024x768x24 xs_start || exit 1

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # Without a window manager, Wine leaves a managed window's maximized size
  # to the manager that is not there, and a full-screen window keeps its old
  # size on the display. Unmanaged windows are placed by Wine itself.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w || true
  fi
  # The DPI test puts back the LogPixels it sets; a run killed meanwhile
  # must not leave the next one scaled.
  if awk '/^\[/ { s = $0 } s ~ /^\[Control Panel\\\\Desktop\]/ && /^"LogPixels"=/ && !/00000060/ { f = 1 }
      END { exit !f }' "$WINEPREFIX/user.reg"; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
    wineserver -w || true
  fi
) 9>"$WINEPREFIX.lock"

status=0
for build in "${builds[@]}"; do
  arch="$(basename "$build")"
  work="$root/$build/windows-e2e/e2e-work"
  rm -rf "$work"
  echo "--- $arch"
  out="$( cd "$build/windows-e2e" && timeout 600 wine windows_e2e.exe --gtest_brief=1 2>&1 )"
  rc=$?
  echo "$out" | grep -vE "^Running main\(\)|^$" | tail -n 60
  [ $rc -eq 0 ] || { echo "--- $arch: FAILED (exit $rc)"; status=1; }
done
exit $status
