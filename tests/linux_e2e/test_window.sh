# The window as the defaults and options make it, the title bar, the about box.
source "$(dirname "$0")/lib.sh"
start defaults
place=$(client_geometry) framed=$(xprop -id "$WIN" _NET_FRAME_EXTENTS | sed -n 's/.* = //p')
steps 3<<'ROWS'
| 120x30, titled Stopwatch, on top, framed | poll 2000 eval 'client_size_is 120x30 && title_is Stopwatch && state_has ABOVE && ! extents_are "1, 1, 1, 1" && ! extents_are "0, 0, 0, 0"'
| 00:00:00 in grey on black | shows 00:00:00.00
click_at 60 15 1 2 | a left double-click hides the title bar, in place | poll 2000 framed_at "$place" "1, 1, 1, 1"
menu b | Show Title Bar shows it again, in place | poll 2000 framed_at "$place" "$framed"
keys F1 | F1 opens the about box | poll 2000 one_dialog "MOX Stopwatch & Timer"
dialog_key Escape | Esc closes it, the program lives on | poll 2000 dialog_count_is 0 && xs_alive $PID
stop
start options -position=100,50,150,40 -precision=decisecond -color=orange -style=straight -start -noTitleBar -noTaskBarIcon
| options: a 150x40 tool window at 100,50 off the taskbar, a border only | poll 2000 eval 'framed_at "101 51 150 40" "1, 1, 1, 1" && state_has SKIP_TASKBAR'
| orange straight tenths running from the first paint | shows --glyphs 10 --color orange --style straight --running 1 00:00:0{0..9}.{0..9}
ROWS
finish
