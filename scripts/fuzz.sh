#!/usr/bin/env bash
# Explores for new faults: fuzz.sh BUILD SECONDS [NAME...]
# Runs each fuzz target of a fuzz build (all, or those named, e.g. heif) for SECONDS from a
# random seed, starting from its committed corpus. What a target finds is minimised, and the
# script says where the minimised input is: fix the fault, and add the input to
# tests/fuzz/corpus/NAME in the same commit, so that the fuzz stage of test.sh replays it.
set -uo pipefail
build=$1 seconds=$2
shift 2
source "$(dirname "$0")/fuzz-options.sh"
names=("$@")
if ((${#names[@]} == 0)); then
  for target in "$build"/tests/fuzz/fuzz_*; do names+=("${target##*/fuzz_}"); done
fi

findings=$build/fuzz-findings
mkdir -p "$findings"
status=0
for name in "${names[@]}"; do
  target=$build/tests/fuzz/fuzz_$name
  work=$build/fuzz-explore/$name
  log=$build/fuzz-explore_$name.log
  fuzz_working_corpus "$name" "$work"
  echo "-- $name ($seconds s)"
  if "$target" "$work" "${fuzz_limits[@]}" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$findings/$name-" > "$log" 2>&1; then
    grep -E 'stat::(number_of_executed_units|new_units_added)' "$log"
    continue
  fi
  status=1
  tail -n 40 "$log"
  found=$(grep -o "Test unit written to .*" "$log" | tail -n 1 | cut -d' ' -f5)
  [ -n "$found" ] || continue
  "$target" "${fuzz_limits[@]}" -minimize_crash=1 -max_total_time=120 -exact_artifact_path="$found.min" \
    "$found" > "$log.minimise" 2>&1
  [ -s "$found.min" ] || cp "$found" "$found.min"
  echo "Found: $found.min ($(stat -c %s "$found.min") bytes)"
done
exit $status
