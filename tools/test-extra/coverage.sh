#!/usr/bin/env bash
# Line coverage of the core (clock/, display/, entry/, settings/, app/) by the
# core's tests: builds the coverage preset (gcov instrumentation), runs its
# tests (not the stress test, not the GTK layer's), and prints the covered
# share of lines per folder and in all with lcov. Fails when a test fails or
# the core's line coverage is under MOX_COVERAGE_MIN percent (default 90).
# The HTML report goes to build/coverage/html when genhtml is there.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
minimum="${MOX_COVERAGE_MIN:-90}"
build=build/coverage
folders=(clock display entry settings app)

for tool in lcov gcov; do
  command -v "$tool" >/dev/null || { echo "coverage: $tool is missing (tools/install-deps.sh)"; exit 1; }
done

cmake --preset coverage >"$build.log" 2>&1 || { tail -20 "$build.log"; echo "coverage: configure failed"; exit 1; }
# The test programs only: the GTK program and its helpers are no part of the
# core's figure.
mapfile -t targets < <(ninja -C "$build" -t targets all 2>/dev/null |
  sed -n 's/^\(tests\/[^:]*\|[^:]*_test\): CXX_EXECUTABLE_LINKER.*/\1/p' | grep -v -e '^platform/gtk/' -e '\[')
[ ${#targets[@]} -gt 0 ] || { echo "coverage: no test programs in $build"; exit 1; }
ninja -C "$build" "${targets[@]}" >>"$build.log" 2>&1 || { tail -30 "$build.log"; echo "coverage: build failed"; exit 1; }

lcov --quiet --zerocounters --directory "$build" >/dev/null 2>&1
ctest --preset coverage >"$build/ctest.log" 2>&1
test_rc=$?
grep -E "tests passed|Failed|\*\*\*" "$build/ctest.log" | tail -n 20

lcov --quiet --capture --directory "$build" --output-file "$build/all.info" >"$build/lcov.log" 2>&1 ||
  { tail -20 "$build/lcov.log"; echo "coverage: lcov capture failed"; exit 1; }

# percent INFO: the line coverage of a tracefile, e.g. 93.4
percent() { lcov --summary "$1" 2>&1 | sed -n 's/^ *lines\.*: \([0-9.]*\)%.*/\1/p'; }
lines() { lcov --summary "$1" 2>&1 | sed -n 's/^ *lines\.*: [0-9.]*% (\(.*\))/\1/p'; }

patterns=()
printf '%-10s %8s  %s\n' folder lines covered
for f in "${folders[@]}"; do
  patterns+=("$root/$f/*")
  lcov --quiet --extract "$build/all.info" "$root/$f/*" --output-file "$build/$f.info" >/dev/null 2>&1
  printf '%-10s %7s%%  %s\n' "$f/" "$(percent "$build/$f.info")" "$(lines "$build/$f.info")"
done
lcov --quiet --extract "$build/all.info" "${patterns[@]}" --output-file "$build/core.info" >/dev/null 2>&1
total="$(percent "$build/core.info")"
printf '%-10s %7s%%  %s\n' core "$total" "$(lines "$build/core.info")"
command -v genhtml >/dev/null && genhtml --quiet "$build/core.info" --output-directory "$build/html" >/dev/null 2>&1

status=0
[ "$test_rc" -eq 0 ] || { echo "coverage: a test failed"; status=1; }
if [ -z "$total" ] || ! awk -v t="$total" -v m="$minimum" 'BEGIN { exit !(t >= m) }'; then
  echo "coverage: the core's line coverage ${total:-?}% is under ${minimum}%"
  status=1
else
  echo "coverage: the core's line coverage ${total}% (minimum ${minimum}%)"
fi
exit $status
