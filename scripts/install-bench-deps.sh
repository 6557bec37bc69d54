#!/usr/bin/env bash
# Installs the tools the bench/compare-*.sh scripts time Quilmo against:
# ImageMagick, libvips, Pillow, and GNU time for the times and peak memory; and what
# bench/window-stall.sh measures the window through: a virtual screen, D-Bus, AT-SPI and xdotool.
# Only the benchmarks need them; the build and the tests do not.
set -euo pipefail

exec "$(dirname "$0")/apt-install.sh" imagemagick libvips-tools python3-pil time \
  xvfb xauth dbus dbus-x11 at-spi2-core python3-pyatspi gir1.2-atspi-2.0 xdotool fonts-ipafont-gothic
