#!/usr/bin/env bash
# Draws the program icon: a green seven-segment "8" on a dark rounded square,
# with 32 bits per pixel (alpha).
#   tools/make-icons.sh OUTPUT.ico      the Windows icon: 48, 32 and 16 pixels
#                                       packed into one .ico file
#   tools/make-icons.sh --png DIR       the desktop icons: DIR/moxtimer-S.png
#                                       for S = 16, 32, 48, 64, 128 and 256
# The PNGs carry no time or other chunk that would change from one drawing to
# the next. Needs ImageMagick's convert.
set -euo pipefail
usage="usage: make-icons.sh OUTPUT.ico | make-icons.sh --png DIR"
png_dir=""
if [ "${1:-}" = --png ]; then
  png_dir="${2:?$usage}"
else
  out="${1:?$usage}"
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

lit='#32E632'   # the display's green
plate='#202020'

# One image of size s: the segments follow the display's own geometry, in the
# rounded style (segments only, a square gap at every junction).
draw() {
  local s=$1
  local t=$((s / 8))                   # bar thickness
  local h=$((s / 2 - 2 * t))           # horizontal bar length
  local v=$(((s - 2 * t - 3 * t) / 2)) # vertical bar length
  local x0=$(((s - 2 * t - h) / 2)) y0=$t
  local x1=$((x0 + t)) x2=$((x0 + t + h)) x3=$((x0 + 2 * t + h))
  local y1=$((y0 + t)) y2=$((y0 + t + v)) y3=$((y0 + 2 * t + v))
  local y4=$((y0 + 2 * t + 2 * v)) y5=$((y0 + 3 * t + 2 * v))
  local r=$((s / 6))
  # ImageMagick rectangles include their right and bottom edges.
  local rects=(
    "$x0,$y1 $((x1 - 1)),$((y2 - 1))" "$x0,$y3 $((x1 - 1)),$((y4 - 1))"
    "$x2,$y3 $((x3 - 1)),$((y4 - 1))" "$x2,$y1 $((x3 - 1)),$((y2 - 1))"
    "$x1,$y0 $((x2 - 1)),$((y1 - 1))" "$x1,$y2 $((x2 - 1)),$((y3 - 1))"
    "$x1,$y4 $((x2 - 1)),$((y5 - 1))"
  )
  local args=(-size "${s}x${s}" xc:none -fill "$plate"
    -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $r,$r" -fill "$lit")
  for rect in "${rects[@]}"; do args+=(-draw "rectangle $rect"); done
  convert "${args[@]}" -define png:color-type=6 "PNG32:$work/$s.png"
}

if [ -n "$png_dir" ]; then
  mkdir -p "$png_dir"
  for size in 16 32 48 64 128 256; do
    draw "$size"
    convert "$work/$size.png" -strip -define png:exclude-chunks=date,time \
      -define png:color-type=6 "PNG32:$png_dir/moxtimer-$size.png"
  done
  exit 0
fi

for size in 48 32 16; do draw "$size"; done
# BMP-coded entries keep 32 bits per pixel for every size below 256.
convert "$work/48.png" "$work/32.png" "$work/16.png" -define icon:format=bmp "$out"
