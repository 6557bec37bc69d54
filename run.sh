#!/usr/bin/env bash
# Installs what is missing, builds Quilmo and starts it with the given pictures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=Release > /dev/null
exec "$here/build/app/quilmo" "$@"
