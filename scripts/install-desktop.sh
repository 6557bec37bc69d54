#!/usr/bin/env bash
# Adds Quilmo to the desktop's application menu for the current user: the launcher points at
# the program in this checkout's build tree.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
mkdir -p "$data/applications" "$data/icons/hicolor/scalable/apps"
# Named as the window names its entry, so that the window and the launcher are one in the dock.
sed "s|@QUILMO@|$here/build/app/quilmo|" "$here/app/shell/quilmo.desktop" \
  > "$data/applications/io.github.quilmo.Quilmo.desktop"
cp "$here/app/shell/quilmo.svg" "$data/icons/hicolor/scalable/apps/quilmo.svg"
# "Open with" reads the types from the cache of the folder.
if command -v update-desktop-database > /dev/null; then update-desktop-database "$data/applications"; fi
echo "Quilmo added to $data/applications"
