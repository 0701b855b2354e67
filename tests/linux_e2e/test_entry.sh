#!/usr/bin/env bash
# Countdown entry on the display: typing, Backspace, the keys that must do
# nothing, the refusal box above 99:59:59, the entry menu, Enter and Esc.
source "$(dirname "$0")/lib.sh"

start entry
menu t c
check "entry shows __:__:__ with the caret" display_shows --glyphs 8 --caret __:__:__.__
keys 1 2 3 0
check "typing 1 2 3 0 gives __:12:30" display_shows --glyphs 8 --caret __:12:30.__
keys BackSpace
check "Backspace gives __:_1:23" display_shows --glyphs 8 --caret __:_1:23.__
keys 0
keys space F1 F11 a
check "Space, F1, F11 and letters change nothing" display_shows --glyphs 8 --caret __:12:30.__
check "F1 opened no about box" dialog_count_is 0
check "F11 did not enter full screen" state_lacks _NET_WM_STATE_MAXIMIZED_HORZ
check "Space did not start the clock" title_is "Stopwatch"
keys Return
check "Enter sets the countdown: title Timer" poll 1000 title_is "Timer"
check "and shows 00:12:30" display_shows --glyphs 8 00:12:30.00

echo "the refusal"
menu t c
check "the digits typed last come back" display_shows --glyphs 8 --caret __:12:30.__
keys 9 9 5 9 6 0
keys Return
check "a refusal box opens" poll 2000 dialog_count_is 1
box=$(dialogs | head -1)
check "with an empty caption" [ -z "$(dialog_title "$box")" ]
check "owned by the main window" dialog_is_transient_for_main "$box"
xdotool windowactivate --sync "$box" >/dev/null 2>&1
xdotool key Return
check "Enter closes it" poll 2000 dialog_count_is 0
check "entry stays, the text unchanged" display_shows --glyphs 8 --caret 99:59:60.__
check "the countdown unchanged" title_is "Timer"
keys BackSpace BackSpace 5 9
keys Return
check "99:59:59 is accepted" display_shows --glyphs 8 99:59:59.00

echo "the entry menu and Esc"
menu t c
xdotool mousemove --window "$WIN" 40 15
xdotool click 3
poll 2000 popup_menu_visible
xdotool key c
poll 2000 menu_closed
check "its Cancel leaves entry" display_shows --glyphs 8 99:59:59.00
menu t c
keys 1
keys Escape
check "Esc leaves without a change" display_shows --glyphs 8 99:59:59.00
menu t c
check "Esc kept the digit typed" display_shows --glyphs 8 --caret 95:95:91.__
keys Escape
finish
