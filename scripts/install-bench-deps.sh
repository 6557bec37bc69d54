#!/usr/bin/env bash
# Installs the tools the comparison benchmarks run Quilmo against (ImageMagick, libvips,
# Pillow) and GNU time, which measures them. Safe to run again: it only calls apt when a
# package is missing.
set -euo pipefail

packages=(
  imagemagick
  libvips-tools
  python3-pil
  time
)

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
