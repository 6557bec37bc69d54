# The limits every fuzz run holds its target to, for run-fuzzers.sh and fuzz.sh. The targets
# refuse pictures above 4 M pixels, so no input needs more than a small part of these: one
# allocation above the malloc limit, more memory in all than the RSS limit, or one input
# running longer than the timeout (seconds) is a fault.
fuzz_limits=(-rss_limit_mb=1024 -malloc_limit_mb=128 -timeout=20)

# A fresh working copy of a target's committed corpus: the fuzzer adds what it finds to it.
# fuzz_working_corpus TARGET_NAME FOLDER
fuzz_working_corpus() {
  rm -rf "$2"
  mkdir -p "$2"
  cp "$(dirname "${BASH_SOURCE[0]}")/../tests/fuzz/corpus/$1"/* "$2"/
}
