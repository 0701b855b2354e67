#!/usr/bin/env bash
# Builds the program and starts it; every argument after the optional switch
# goes to the program as its command line (for example -mode=timer:90 -start).
#   ./run.sh [--windows] [options...]   the Windows program (x64) under Wine
# The Windows program is the default.
set -euo pipefail
cd "$(dirname "$0")"

program=windows
case "${1:-}" in
  --windows) program=windows; shift ;;
esac

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no display (DISPLAY is not set); start it from a desktop session" >&2
  exit 1
fi

tools/install-deps.sh

case "$program" in
  windows)
    cmake --preset windows-x64 >/dev/null
    cmake --build --preset windows-x64 --target MoxTimer
    exec tools/wine-run dist/windows-x64/MoxTimer.exe "$@"
    ;;
esac
