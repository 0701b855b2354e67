#!/usr/bin/env bash
# The Linux program under the memory and thread checkers:
#  - Valgrind memcheck for a short scripted session
#    (tools/valgrind-session.sh): no invalid access, no use of undefined
#    values, no definite leak beyond what tools/valgrind.supp allows GTK to
#    keep;
#  - the same kind of session with the asan preset's build (AddressSanitizer
#    and UndefinedBehaviorSanitizer) and the tsan preset's build
#    (ThreadSanitizer), through tools/sanitizer-smoke.sh, each when its build
#    is there (./test.sh builds both presets before this script).
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
status=0
timeout 600 "$root/tools/valgrind-session.sh" || status=1
for preset in asan tsan; do
  program="$root/build/$preset/platform/gtk/moxtimer"
  if [ -x "$program" ]; then
    echo "--- $preset session"
    MOX_PROGRAM="$program" timeout 300 "$root/tools/sanitizer-smoke.sh" || status=1
  else
    echo "valgrind.sh: $program is not built; the $preset session is skipped"
  fi
done
exit $status
