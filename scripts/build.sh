#!/usr/bin/env bash
# Configures and builds one build tree incrementally: build.sh DIR [cmake options...]
set -euo pipefail
dir=$1
shift
cmake -S "$(dirname "$0")/.." -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1 || {
  cat "$dir.configure.log" >&2
  exit 1
}
cmake --build "$dir" -j2
