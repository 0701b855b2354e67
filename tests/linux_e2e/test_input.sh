# Space and the middle button start and pause, a preset from the menu, countdown entry,
# and entry without its menu.
source "$(dirname "$0")/lib.sh"
start input
keys space
check "Space starts: green digits counting" shows --running 1 00:00:0{0..9}
keys space
check "Space again pauses: Stopwatch (Paused)" poll 2000 title_is "Stopwatch (Paused)"
click_at 60 15 2
check "a middle click resumes: Stopwatch" poll 2000 title_is Stopwatch
click_at 60 15 2
check "another pauses" poll 2000 title_is "Stopwatch (Paused)"
menu r
menu t "Down Down Down Down Return"
check "the 5 minutes preset: Timer, 00:05:00" eval 'poll 2000 title_is Timer && shows 00:05:00.00'
keys space
check "started: Timer (300 sec), counting down" \
  eval 'poll 2000 title_is "Timer (300 sec)" && shows --running 1 00:05:00 00:04:5{0..9}'
menu r
menu t c
check "Customize opens entry: __:__:__ with the caret" shows --caret __:__:__.__
keys 1 2 3 0
check "typing 1 2 3 0 gives __:12:30" shows --caret __:12:30.__
keys Return
check "Enter sets the countdown: Timer, 00:12:30" eval 'poll 2000 title_is Timer && shows 00:12:30.00'
menu t c
keys 9 9 5 9 6 0 Return
check "99:59:60 is refused in a box without caption" poll 2000 one_dialog ""
dialog_key Return
check "closing it leaves entry with the text" eval 'poll 2000 dialog_count_is 0 && shows --caret 99:59:60.__'
keys Escape
check "Esc leaves entry without a change" eval 'title_is Timer && shows 00:12:30.00'
stop
# Linked to read an empty entry menu table, the program cannot build its entry menu.
new_folder no-entry-menu "$MOX_NO_ENTRY_MENU_PROGRAM" && launch
check "without its entry menu it says so first, in an unowned box captioned Error" \
  eval 'poll 10000 one_dialog Error "" && ! main_window'
dialog_key Return
check "OK lets it start as usual" poll 10000 shown
menu t c
keys Menu 5
check "in entry the Menu key opens nothing: the 5 after it is typed" \
  eval 'shows --caret __:__:_5.__ && menu_closed'
keys Return
check "Enter still sets the countdown" poll 2000 title_is Timer
finish
