#!/usr/bin/env bash
# Installs what is missing, builds Quilmo and runs every test: the normal build, the Qt-free
# libraries under AddressSanitizer + UndefinedBehaviorSanitizer, the threaded ones under
# ThreadSanitizer, and each fuzz target on its corpus and a fixed number of inputs more;
# the Debian package is built, unpacked and checked.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

echo "== build and test"
./scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build --output-on-failure -j2

echo "== package"
./tests/package/check-package.sh build

echo "== sanitizers"
./scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILMO_SANITIZE=ON \
  -DQUILMO_WITH_QT=OFF -DQUILMO_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2

echo "== threads"
# The libraries whose work is shared among threads, under ThreadSanitizer, on four threads; the
# tests of very large pictures, which take the same paths, left to the other builds.
./scripts/build.sh build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILMO_TSAN=ON \
  -DQUILMO_WITH_QT=OFF -DQUILMO_BUILD_BENCH=OFF -- core_tests resample_tests batch_tests slot_loading_tests \
  output_tests plugin_threads_tests
GTEST_FILTER='-*SixTwelveMegapixel*:*VeryTall*:*AReversalAfterAFailedGapChange*:*ThirtyThousandWide*' \
  TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -j2 \
  -R '^((core|resample|batch|slot_loading|output)_tests_4_threads|plugin_threads_tests)$'

echo "== fuzzing"
CC=clang CXX=clang++ ./scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILMO_FUZZ=ON
./scripts/run-fuzzers.sh build-fuzz
echo "== all tests passed"
