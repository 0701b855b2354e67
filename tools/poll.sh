# shellcheck shell=bash
# How the test and bench scripts wait: on state, with a deadline, never for a
# time. Sourced, not run:
#
#   source "$root/tools/poll.sh"
#
#   poll MS COMMAND [ARG...]
#       Runs COMMAND (a program or a shell function) until it succeeds or MS
#       milliseconds have passed. Returns 0 at its first success, 1 at the
#       deadline. Tries are 50 ms apart. Poll for what the next step needs:
#       the window mapped, the menu open, the title changed, the file
#       written, the process gone.
#           poll 5000 test -s "$dir/moxtimer.ini"
#           poll 3000 title_is "Stopwatch (Paused)"
#           poll 3000 eval '! alive $pid'
#       A deadline only costs time when the state never comes: make it
#       generous for a program under Valgrind or on a cold, busy machine.
#
#   measure_for SECONDS
#       A measurement window, as the benchmarks take one (the CPU a program
#       uses over N seconds): time passing is what is measured, so this is no
#       wait for state, and nothing but a measurement may use it.
#
# The two sleeps below are the only ones in the end-to-end and bench scripts.

poll() {
  local limit=$(($(date +%s%N) + $1 * 1000000))
  shift
  until "$@"; do
    [ "$(date +%s%N)" -ge "$limit" ] && return 1
    sleep 0.05
  done
}

measure_for() { sleep "$1"; }
