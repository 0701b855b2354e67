#!/usr/bin/env bash
# The short soak: 60 s (warm-up 30 s) at centisecond precision of the Linux
# program and, under Wine, the x64 Windows program, while tools/soak.sh works
# their menus, colors, styles, precisions, full screen and countdown entry.
# Checks that each keeps answering, that its private memory stays flat, the
# resource counts (reported as missing while the program writes none) and
# the settings file at close. MOX_SOAK_SHORT names the programs besides the
# Linux one (default "windows-x64"; empty for the Linux program alone).
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
# One minute cannot tell a slow leak from a buffer kept once: a looser
# bound than the long run's 512 kB.
export MOX_SOAK_GROWTH_KB="${MOX_SOAK_GROWTH_KB:-1024}"
args=(--seconds 60 --warmup 30 --program linux)
for p in ${MOX_SOAK_SHORT-windows-x64}; do args+=(--program "$p"); done
exec timeout 600 "$root/tools/soak.sh" "${args[@]}"
