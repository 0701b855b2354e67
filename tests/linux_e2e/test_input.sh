# Space and the middle button start and pause, a preset from the menu, countdown entry.
source "$(dirname "$0")/lib.sh"
start input
keys space
check "Space starts: green digits counting" shows --running 1 00:00:00 00:00:01 00:00:02
keys space
check "Space again pauses: Stopwatch (Paused)" poll 1000 title_is "Stopwatch (Paused)"
click_at 60 15 2
check "a middle click resumes: Stopwatch" poll 1000 title_is Stopwatch
click_at 60 15 2
check "another pauses" poll 1000 title_is "Stopwatch (Paused)"
menu r
menu t Down Down Down Down Return
check "the 5 minutes preset: Timer, 00:05:00" eval 'poll 1000 title_is Timer && shows 00:05:00.00'
keys space
check "started: Timer (300 sec), counting down" \
  eval 'poll 1000 title_is "Timer (300 sec)" && shows --running 1 00:05:00 00:04:59 00:04:58'
menu r
menu t c
check "Customize opens entry: __:__:__ with the caret" shows --caret __:__:__.__
keys 1 2 3 0
check "typing 1 2 3 0 gives __:12:30" shows --caret __:12:30.__
keys Return
check "Enter sets the countdown: Timer, 00:12:30" eval 'poll 1000 title_is Timer && shows 00:12:30.00'
menu t c
keys 9 9 5 9 6 0 Return
check "99:59:60 is refused in a box without caption" poll 2000 one_dialog ""
dialog_key Return
check "closing it leaves entry with the text" eval 'poll 2000 dialog_count_is 0 && shows --caret 99:59:60.__'
keys Escape
check "Esc leaves entry without a change" eval 'title_is Timer && shows 00:12:30.00'
finish
