#!/usr/bin/env bash
# Draws the program icon with the Windows program's artwork script and splits
# it into one PNG per size, named by the size: DIR/moxtimer-48.png,
# DIR/moxtimer-32.png and DIR/moxtimer-16.png. Needs ImageMagick's convert.
# Usage: icons-from-ico.sh SOURCE_DIR OUTPUT_DIR
set -euo pipefail
src="${1:?usage: icons-from-ico.sh SOURCE_DIR OUTPUT_DIR}"
out="${2:?usage: icons-from-ico.sh SOURCE_DIR OUTPUT_DIR}"
mkdir -p "$out"
"$src/tools/make-icons.sh" "$out/moxtimer.ico"
convert "$out/moxtimer.ico" -define png:exclude-chunks=date,time -set filename:size '%w' "PNG32:$out/moxtimer-%[filename:size].png"
for size in 16 32 48; do
  [ -s "$out/moxtimer-$size.png" ] || { echo "icons-from-ico.sh: no ${size}px image" >&2; exit 1; }
done
