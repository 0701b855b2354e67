#!/usr/bin/env bash
# Countdown entry on the display: typing, Backspace, the keys that must do
# nothing, the refusal box above 99:59:59, the entry menu, Enter and Esc.
source "$(dirname "$0")/lib.sh"

shows() { display_shows --glyphs 8 "$@"; }
start entry
menu t c
check "entry shows __:__:__ with the caret" shows --caret __:__:__.__
keys 1 2 3 0
check "typing 1 2 3 0 gives __:12:30" shows --caret __:12:30.__
keys BackSpace
check "Backspace gives __:_1:23" shows --caret __:_1:23.__
keys 0 space F1 F11 a
check "Space, F1, F11 and letters change nothing" shows --caret __:12:30.__
check "no about box, full screen or start" \
  eval 'dialog_count_is 0 && state_lacks _NET_WM_STATE_MAXIMIZED_HORZ && title_is Stopwatch'
keys Return
check "Enter sets the countdown: Timer, 00:12:30" eval 'poll 1000 title_is Timer && shows 00:12:30.00'
menu t c
check "the digits typed last come back" shows --caret __:12:30.__
keys 9 9 5 9 6 0 Return
check "a refusal box opens" poll 2000 dialog_count_is 1
box=$(dialogs | head -1)
check "with an empty caption, owned by the main window" \
  eval '[ -z "$(net_name $box)" ] && dialog_owned_by_main $box'
dialog_key Return
check "Enter closes it" poll 2000 dialog_count_is 0
check "entry stays, the text and countdown unchanged" eval 'shows --caret 99:59:60.__ && title_is Timer'
keys BackSpace BackSpace 5 9 Return
check "99:59:59 is accepted" shows 99:59:59.00
menu t c
click_at 40 15 3
poll 2000 popup_menu_visible
xdotool key c
poll 2000 menu_closed
check "its Cancel leaves entry" shows 99:59:59.00
menu t c
keys 1 Escape
check "Esc leaves without a change" shows 99:59:59.00
menu t c
check "but keeps the digit typed" shows --caret 95:95:91.__
finish
