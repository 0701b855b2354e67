# HiDPI: at window scale 2 the display is laid out on the device pixels, so
# the segments are crisp and finer (the pictures expanded by the device-pixel
# metrics, no shade between the colors), while -position keeps logical
# pixels; a scale change while running lays the display out anew.
source "$(dirname "$0")/lib.sh"
# SCALE LOGICAL_SIZE HELPER_ARGS... TEXT...: the client area, device pixel by
# pixel (the logical size given after the device one replaces it)
shows_at() { display_once --scale "$1" --size "$2" "${@:3}"; }
outer_is() { # X Y WIDTH HEIGHT: the frame's top-left corner and the client size, device pixels
  local x y w h left top
  read -r x y w h <<<"$(client_geometry)"
  IFS=', ' read -r left _ top _ <<<"$(xprop -id "$WIN" _NET_FRAME_EXTENTS | sed -n 's/.* = //p')"
  [ "$((x - left)) $((y - top)) $w $h" = "$*" ]
}
new_folder scale2
# 8 cells of 100x200 device pixels: the caret is 14 wide and 3 * 14 + 2 * 65 tall.
steps 3<<'ROWS'
GDK_SCALE=2 start_in -position=100,50,400,300 -style=straight | GDK_SCALE=2, -position=100,50,400,300: the frame at 200,100, 800x600 device pixels | poll 2000 outer_is 200 100 800 600
| 00:00:00 in device pixels: the pictures at the device metrics, only the display's colors | poll 5000 shows_at 2 400x300 --glyphs 8 --style straight 00:00:00.00
menu p c && keys space | a running centisecond stopwatch, repainted cell by cell, stays exact | poll 5000 shows_at 2 400x300 --glyphs 11 --style straight --running 1 00:00:0{0..9}.{0..9}{0..9}
menu t c | countdown entry: the caret stands at the device-pixel layout's place, at its size | poll 5000 eval 'shows_at 2 400x300 --glyphs 8 --style straight --running 1 --caret __:__:__.__ && [ "$(xs_pixels_of "$WIN" 808080)" = $((14 * (3 * 14 + 2 * 65))) ]'
stop | the settings keep the logical place and size | ini_is -position 100,50,400,300
ROWS

# The X settings' scale, as a desktop's settings daemon sets it.
if command -v xsettingsd >/dev/null; then
  echo "Gdk/WindowScalingFactor 1" >"$MOX_E2E_WORK/xsettings"
  xsettingsd -c "$MOX_E2E_WORK/xsettings" >/dev/null 2>&1 &
  daemon=$!
  new_folder rescale
  start_in -position=100,50,120,30
  echo "Gdk/WindowScalingFactor 2" >"$MOX_E2E_WORK/xsettings"
  kill -HUP "$daemon"
  check "Gdk/WindowScalingFactor 2 while running: 240x60 device pixels, laid out anew" \
    eval 'poll 5000 client_size_is 240x60 && poll 5000 shows_at 2 120x30 --glyphs 8 00:00:00.00'
  stop
  kill "$daemon" && wait "$daemon" 2>/dev/null
else
  check "xsettingsd is installed (tools/install-deps.sh)" false
fi
finish
