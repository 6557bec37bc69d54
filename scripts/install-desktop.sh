#!/usr/bin/env bash
# Adds Quilmo to the desktop's application menu for the current user: the launcher points at
# the program in this checkout's build tree.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
mkdir -p "$data/applications" "$data/icons/hicolor/scalable/apps"
sed "s|@QUILMO@|$here/build/app/quilmo|" "$here/app/shell/quilmo.desktop" > "$data/applications/quilmo.desktop"
cp "$here/app/shell/quilmo.svg" "$data/icons/hicolor/scalable/apps/quilmo.svg"
echo "Quilmo added to $data/applications"
