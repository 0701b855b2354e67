# shellcheck shell=bash
# The named checks of the test scripts, counted. Sourced, not run:
#   check NAME COMMAND [ARG...]   runs COMMAND; prints "  ok    NAME" or
#                                 "  FAIL  NAME" and counts it in passed or
#                                 failed
passed=0
failed=0
check() {
  local name="$1"
  shift
  if "$@"; then
    passed=$((passed + 1)); echo "  ok    $name"
  else
    failed=$((failed + 1)); echo "  FAIL  $name"
  fi
}
