#!/usr/bin/env bash
# Installs the tools the bench/compare-*.sh scripts time Quilmo against:
# ImageMagick, libvips, Pillow, and GNU time for the times and peak memory. Only the comparisons
# need them; the build and the tests do not.
set -euo pipefail

exec "$(dirname "$0")/apt-install.sh" imagemagick libvips-tools python3-pil time
