#!/usr/bin/env bash
# Configures and builds one build tree incrementally: build.sh DIR [cmake options...] [-- targets...]
# Without targets, everything is built. A new tree gets CMake's default generator (Unix
# Makefiles, as Debian's build tools use), so that every build shows the build still works with
# it; an existing tree keeps the generator it was made with.
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
cmake -S "$(dirname "$0")/.." -B "$dir" "${options[@]}" > "$dir.configure.log" 2>&1 || {
  cat "$dir.configure.log" >&2
  exit 1
}
cmake --build "$dir" -j2 "${targets[@]}"
