#!/usr/bin/env bash
# Builds the program and starts it; every argument after the optional switch
# goes to the program as its command line (for example -mode=timer:90 -start).
#   ./run.sh [options...]             the Linux program (GTK 3)
#   ./run.sh --windows [options...]   the Windows program (x64) under Wine
set -euo pipefail
cd "$(dirname "$0")"

program=linux
case "${1:-}" in
  --windows) program=windows; shift ;;
esac

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session" >&2
  exit 1
fi

tools/install-deps.sh

case "$program" in
  linux)
    cmake --preset linux >/dev/null
    cmake --build --preset linux --target moxtimer
    exec dist/linux/moxtimer "$@"
    ;;
  windows)
    cmake --preset windows-x64 >/dev/null
    cmake --build --preset windows-x64 --target MoxTimer
    exec tools/wine-run dist/windows-x64/MoxTimer.exe "$@"
    ;;
esac
