#!/usr/bin/env bash
# Makes Quilmo's Debian package from a Release build and prints its path:
#   scripts/package.sh [BUILD_DIR]   (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$here/build}")
"$here/scripts/install-deps.sh" >&2
"$here/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release >&2
rm -f "$build"/quilmo_*.deb
(cd "$build" && cpack -G DEB > "$build/cpack.log" 2>&1) || {
  cat "$build/cpack.log" >&2
  exit 1
}
ls "$build"/quilmo_*.deb
