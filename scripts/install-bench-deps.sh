#!/usr/bin/env bash
# Installs the tools the bench/compare-*.sh scripts time Quilmo against:
# ImageMagick, libvips, Pillow, hyperfine, and GNU time for peak memory. Only the comparisons
# need them; the build and the tests do not.
set -euo pipefail

exec "$(dirname "$0")/apt-install.sh" imagemagick libvips-tools python3-pil hyperfine time
