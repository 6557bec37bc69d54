#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build on its seed corpus: run-fuzzers.sh BUILD SEEDS SECONDS
# Fails, showing the fuzzer's report, when a target finds a crash.
set -uo pipefail
build=$1 seeds=$2 seconds=$3
status=0
for target in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  log="$build/$name.log"
  mkdir -p "$corpus"
  seed_dir="$seeds/${name#fuzz_}"
  [ -d "$seed_dir" ] && cp -n "$seed_dir"/* "$corpus"/ 2>/dev/null
  echo "-- $name ($seconds s)"
  if "$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=4096 -malloc_limit_mb=4096 \
      -timeout=20 -print_final_stats=1 -artifact_prefix="$build/$name-" > "$log" 2>&1; then
    grep -E 'stat::(number_of_executed_units|new_units_added)' "$log"
  else
    tail -n 40 "$log"
    status=1
  fi
done
exit $status
