#!/usr/bin/env bash
# Installs everything Quilmo needs to build, test and run on Debian 12.
# Safe to run again: it only calls apt when a package is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build
  libjpeg-dev libpng-dev zlib1g-dev libgif-dev
  qt6-base-dev libgl-dev
  libsimpleini-dev libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
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
