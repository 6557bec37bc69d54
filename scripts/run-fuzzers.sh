#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build on its seed corpus: run-fuzzers.sh BUILD SEEDS SECONDS
set -euo pipefail
build=$1 seeds=$2 seconds=$3
shopt -s nullglob
for target in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seed_dir="$seeds/${name#fuzz_}"
  [ -d "$seed_dir" ] && cp -n "$seed_dir"/* "$corpus"/ 2>/dev/null || true
  echo "-- $name ($seconds s)"
  "$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=4096 -malloc_limit_mb=4096 \
    -timeout=20 -print_final_stats=1 -artifact_prefix="$build/$name-" 2>&1 | tail -n 4
done
