#!/usr/bin/env bash
# Configures and builds one build tree incrementally: build.sh DIR [cmake options...] [-- targets...]
# Without targets, everything is built.
set -euo pipefail
dir=$1
shift
options=()
while (($#)) && [ "$1" != -- ]; do
  options+=("$1")
  shift
done
targets=()
(($#)) && shift && targets=(--target "$@")
cmake -S "$(dirname "$0")/.." -B "$dir" -G Ninja "${options[@]}" > "$dir.configure.log" 2>&1 || {
  cat "$dir.configure.log" >&2
  exit 1
}
cmake --build "$dir" -j2 "${targets[@]}"
