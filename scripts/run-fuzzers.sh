#!/usr/bin/env bash
# The fuzz stage of test.sh, with the same verdict on every run: run-fuzzers.sh BUILD
# Each target of a fuzz build first runs every input of its committed corpus
# (tests/fuzz/corpus/NAME), then a fixed number of inputs mutated from it with a fixed seed.
# Fails, showing the fuzzer's report, on a crash, a sanitizer report, a leak, a timeout or an
# input that takes more memory than fuzz-options.sh allows. Exploring for new faults is fuzz.sh.
set -uo pipefail
build=$1
source "$(dirname "$0")/fuzz-options.sh"

# Inputs after the corpus, about 20 s of each target on two cores.
declare -A runs=(
  [bmp_clipboard]=1000000 [bmp_stream]=300000 [gif_image]=12000 [heif]=60000
  [jpeg_image]=110000 [jxl]=8000 [lossless_join]=60000 [png_image]=700000 [pnm]=5000000
  [susie_dib]=25000 [tiff]=200000 [webp]=50000
)

status=0
for target in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=${target##*/fuzz_}
  work=$build/fuzz-corpus/$name
  log=$build/fuzz_$name.log
  fuzz_working_corpus "$name" "$work"
  echo "-- $name: $(ls "$work" | wc -l) corpus inputs, then ${runs[$name]} from seed 1"
  # The same inputs must cover the same code on every run: addresses are laid out alike (the
  # code compares some), the mutations take nothing from compared values (addresses among
  # them), and the corpus is not read again partway, which would depend on the clock.
  if setarch -R "$target" "$work" "${fuzz_limits[@]}" -seed=1 -runs="${runs[$name]}" -use_cmp=0 -reload=0 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz_$name-" > "$log" 2>&1; then
    grep -E 'stat::(number_of_executed_units|new_units_added)' "$log"
  else
    tail -n 40 "$log"
    grep -q INITED "$log" || echo "An input of tests/fuzz/corpus/$name fails."
    status=1
  fi
done
exit $status
