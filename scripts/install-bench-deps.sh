#!/usr/bin/env bash
# Installs the tools bench/compare-resize.sh and bench/compare-join.sh time Quilmo against:
# ImageMagick, libvips, Pillow, hyperfine, and GNU time for peak memory. Only the comparisons
# need them; the build and the tests do not.
set -euo pipefail

packages=(imagemagick libvips-tools python3-pil hyperfine time)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
