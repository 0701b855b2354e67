#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test.
# Ends with one line "N passed, N failed" over all presets; exits non-zero on
# any failure.
set -uo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh || { echo "dependency installation failed"; exit 1; }

presets=(${MOX_PRESETS:-linux windows-x86 windows-x64 tsan asan})
mkdir -p build
passed=0
failed=0
status=0
began=$(date +%s)
for preset in "${presets[@]}"; do
  t0=$(date +%s)
  echo "=== $preset: configure and build"
  if ! cmake --preset "$preset" >"build/$preset.log" 2>&1 || ! cmake --build --preset "$preset" >>"build/$preset.log" 2>&1; then
    tail -n 60 "build/$preset.log"
    echo "=== $preset: BUILD FAILED"
    failed=$((failed + 1)); status=1
    continue
  fi
  echo "=== $preset: test"
  out="$(ctest --preset "$preset" 2>&1)"
  rc=$?
  echo "$out" | grep -E "tests passed|\*\*\*Failed|\(Failed\)|\(Timeout\)|\(SEGFAULT\)|Errors while|Not Run" | tail -n 200
  p=$(echo "$out" | sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2 \1/p' | tail -1)
  if [ -n "$p" ]; then
    total=${p% *}; bad=${p#* }
    passed=$((passed + total - bad)); failed=$((failed + bad))
  fi
  [ $rc -ne 0 ] && status=1
  echo "=== $preset: $(($(date +%s) - t0)) s"
done
true

for extra in tools/test-extra/*.sh; do
  [ -x "$extra" ] || continue
  echo "=== $(basename "$extra")"
  t0=$(date +%s)
  if "$extra"; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi
  echo "=== $(basename "$extra"): $(($(date +%s) - t0)) s"
done

echo "test.sh: $(($(date +%s) - began)) s"
echo "${passed} passed, ${failed} failed"
exit $status
