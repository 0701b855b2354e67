#!/usr/bin/env bash
# Builds the libFuzzer targets with the "fuzz" preset and runs each for about
# MOX_FUZZ_SECONDS (30) seconds on a copy of its seed corpus under build/, so
# the repository stays clean. Fails on a build failure, a crash, a sanitizer
# report or a broken invariant.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
seconds="${MOX_FUZZ_SECONDS:-30}"
targets=(profile_fuzz options_fuzz)
mkdir -p build
log=build/fuzz.log

if ! cmake --preset fuzz >"$log" 2>&1 || ! cmake --build --preset fuzz >>"$log" 2>&1; then
  tail -n 40 "$log"
  echo "fuzz: build failed"
  exit 1
fi

# The targets write a scratch settings file per input, and every write is
# flushed to disk: on a RAM file system that costs nothing, on a disk it
# takes ten times the runs.
scratch_root="$root/build/fuzz/run"
mkdir -p "$scratch_root"
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_root=/dev/shm
scratch="$(mktemp -d "$scratch_root/mox-fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

status=0
for target in "${targets[@]}"; do
  work="build/fuzz/run/$target"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -R "fuzz/corpus/$target/." "$work/corpus/"
  if TMPDIR="$scratch" "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
       -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
    echo "fuzz: $target ok, ${runs:-?} runs in ${seconds} s"
  else
    tail -n 40 "$work/log"
    echo "fuzz: $target FAILED (log and crash input in $work)"
    status=1
  fi
done
exit $status
