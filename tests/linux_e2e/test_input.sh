# Space and the middle button start and pause, a preset from the menu, countdown entry,
# and entry without its menu.
source "$(dirname "$0")/lib.sh"
start input
steps 3<<'ROWS'
keys space | Space starts: green digits counting | shows --running 1 00:00:0{0..9}
keys space | Space again pauses: Stopwatch (Paused) | poll 2000 title_is "Stopwatch (Paused)"
click_at 60 15 2 | a middle click resumes: Stopwatch | poll 2000 title_is Stopwatch
click_at 60 15 2 | another pauses | poll 2000 title_is "Stopwatch (Paused)"
menu r && menu t "Down Down Down Down Return" | the 5 minutes preset: Timer, 00:05:00 | poll 2000 title_is Timer && shows 00:05:00.00
keys space | started: Timer (300 sec), counting down | poll 2000 title_is "Timer (300 sec)" && shows --running 1 00:05:00 00:04:5{0..9}
menu r && menu t c | Customize opens entry: __:__:__ with the caret | shows --caret __:__:__.__
keys 1 2 3 0 | typing 1 2 3 0 gives __:12:30 | shows --caret __:12:30.__
keys Return | Enter sets the countdown: Timer, 00:12:30 | poll 2000 title_is Timer && shows 00:12:30.00
menu t c && keys 9 9 5 9 6 0 Return | 99:59:60 is refused in a box without caption | poll 2000 one_dialog ""
dialog_key Return | closing it leaves entry with the text | poll 2000 dialog_count_is 0 && shows --caret 99:59:60.__
keys Escape | Esc leaves entry without a change | title_is Timer && shows 00:12:30.00
ROWS
stop
# Linked to read an empty entry menu table, the program cannot build its entry menu.
new_folder no-entry-menu "$MOX_NO_ENTRY_MENU_PROGRAM" && launch
steps 3<<'ROWS'
| without its entry menu it says so first, in an unowned box captioned Error | poll 10000 one_dialog Error "" && ! main_window
dialog_key Return | OK lets it start as usual | poll 10000 shown
menu t c && keys Menu 5 | in entry the Menu key opens nothing: the 5 after it is typed | shows --caret __:__:_5.__ && menu_closed
keys Return | Enter still sets the countdown | poll 2000 title_is Timer
ROWS
finish
