# --help and --version without a display, the manual page, SIGINT, and X11
# chosen over a Wayland display.
source "$(dirname "$0")/lib.sh"
page="$(dirname "$0")/../../resources/linux/moxtimer.1"
new_folder info
headless() { (cd "$APPDIR" && env -u DISPLAY -u WAYLAND_DISPLAY ./moxtimer "$@"); }
help=$(headless --help); status=$?
check "--help and -h: the usage, with this run's settings file, exit 0" eval '[ $status -eq 0 ] &&
  [ "$(headless -h)" = "$help" ] && echo "$help" | grep -q "^Usage: moxtimer" && echo "$help" | grep -qxF "Settings file of this run: $APPDIR/moxtimer.ini"'
check "--version: moxtimer 1.9.0, exit 0; a failed write fails" \
  eval '[ "$(headless --version)" = "moxtimer 1.9.0" ] && ! headless --version >/dev/full'
check "both wrote nothing" [ "$(ls -A "$APPDIR")" = moxtimer ]
# The option names of --help and of the manual page's OPTIONS.
option_names() { grep -oE "^ {$1}-[-a-zA-Z]+(, -[-a-zA-Z]+)?" | tr -d ' ' | tr , '\n' | sort; }
help_options() { echo "$help" | sed -n '/^Options:/,/^$/p' | option_names 2; }
page_options() { MANWIDTH=200 man -l "$page" 2>/dev/null | sed -n '/^OPTIONS/,/^[A-Z]/p' | option_names 7; }
check "the manual page lists the same 16 options, and man finds no fault in it" \
  eval '[ "$(help_options | wc -l)" -eq 16 ] && [ "$(help_options)" = "$(page_options)" ] &&
    [ -z "$(LC_ALL=C.UTF-8 MANROFFSEQ= MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)" ]'
start_in -alarmFile=/tmp/my-horn.wav -color=cyan
check "-alarmFile=/tmp/my-horn.wav, which holds -h, opens the window" title_is Stopwatch
kill -INT "$PID"
check "SIGINT ends it, writing the settings" eval 'poll 3000 xs_gone $PID && ini_is -color cyan'
# Without GDK_BACKEND, a Wayland display that is missing or never answers
# must not keep the program from X. GTK looks for Wayland displays only
# with a runtime folder.
unset GDK_BACKEND
export XDG_RUNTIME_DIR="$MOX_E2E_WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$HELPERS/mox_e2e_mute_socket" "$XDG_RUNTIME_DIR/wayland-mute" >/dev/null &
mute=$!
poll 2000 test -S "$XDG_RUNTIME_DIR/wayland-mute"
for display in wayland-missing wayland-mute; do
  export WAYLAND_DISPLAY=$display
  check "WAYLAND_DISPLAY=$display, DISPLAY set: the window opens on X11" start "$display"
  stop
done
kill "$mute" && wait "$mute" 2>/dev/null
finish
