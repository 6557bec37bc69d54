#!/usr/bin/env bash
# How long the main window stops answering right after a setting changes, measured from outside
# the program: bench/ui-stall.py starts it on a virtual screen with five 12-megapixel photos at
# their own size, clicks the gap spin box's up arrow and reads an accessible label every 5 ms
# through AT-SPI (each read needs the window's thread). Three runs each for sRGB photos and for
# Display P3 photos (the preview then shows an sRGB copy), in the pretty and the fast preview.
# Target: the longest stall of every run below 50 ms. Other work on the machine shows in the
# figures, so the load average is printed with them.
#
#   bench/window-stall.sh [BUILD_DIR] [RUNS]      (defaults: build, 3)
#
# The photos are made once (with ImageMagick and libvips) in $QUILMO_BENCH_DIR, default
# /tmp/quilmo-window-stall.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-3}
program=$build/app/quilmo
profiles=$build/bench/color_profiles
work=${QUILMO_BENCH_DIR:-/tmp/quilmo-window-stall}

"$root/scripts/install-bench-deps.sh"
for binary in "$program" "$profiles"; do
  [ -x "$binary" ] || { echo "No $binary: build first (./scripts/build.sh $build)" >&2; exit 1; }
done
mkdir -p "$work/srgb" "$work/p3"
source "$root/bench/common.sh"
use_roomy_imagemagick "$work"

"$profiles" "$work"
for i in 1 2 3 4 5; do
  photo=$work/srgb/photo$i.jpg
  [ -f "$photo" ] || "$magick" -seed $((i + 40)) -size 4032x3024 plasma:fractal -blur 0x1 -quality 90 "$photo"
  [ -f "$work/p3/photo$i.jpg" ] || {
    vips icc_transform "$photo" "$work/p3.v" "$work/display-p3.icc" --input-profile "$work/srgb.icc" \
      --intent relative --black-point-compensation
    vips copy "$work/p3.v" "$work/p3/photo$i.jpg[Q=90]"
    rm "$work/p3.v"
  }
done

echo "The gap raised by one step, five 4032 x 3024 photos at their own size, $runs runs each"
echo "(machine: $(nproc) cores)"
for preview in pretty fast; do
  for colours in srgb p3; do
    echo "$preview preview, $colours photos (load average $(cut -d' ' -f1-3 /proc/loadavg)):"
    /usr/bin/python3 "$root/bench/ui-stall.py" --runs "$runs" --ini "$(printf '[value]\nview=%d\n' \
      "$([ $preview = fast ] && echo 1 || echo 0)")" "$program" "$work/$colours"/photo*.jpg | sed 's/^/  /'
  done
done
