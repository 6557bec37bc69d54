#!/usr/bin/env bash
# Times the decoding of a 12-megapixel picture in each format the shipped plug-ins read (HEIC,
# AVIF, WebP, TIFF, JPEG XL): `quilmo-cli convert` (the picture in, a BMP out) against
# `vips copy` (the same picture in, libvips' uncompressed .v out), process start included. The
# tools take turns; prints each median of RUNS runs and Quilmo's time as a multiple of libvips'.
# Both read through the same libraries (libheif, libwebp, libtiff, libjxl).
#   bench/compare-formats.sh [BUILD_DIR] [RUNS]      (defaults: build, 10)
# Needs the tools of scripts/install-bench-deps.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
runs=${2:-10}
quilmo="$build/cli/quilmo-cli"
[ -x "$quilmo" ] || { echo "no $quilmo: build first" >&2; exit 1; }
source "$here/bench/common.sh"
python=/usr/bin/python3

# In memory where there is room, so that both tools' output goes at memory speed and the decode is
# what is timed (Quilmo's atomic save flushes its file to disk, libvips does not).
work=$(mktemp -d -p "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
trap 'rm -rf "$work"' EXIT
# A stand-in for a photo: soft noise over gradients, 4000 x 3000.
"$python" - "$work" <<'PY'
import sys
from PIL import Image, ImageChops
width, height = 4000, 3000
noise = Image.merge("RGB", [Image.effect_noise((width, height), s) for s in (18, 22, 26)])
across = Image.linear_gradient("L").rotate(90).resize((width, height))
down = Image.linear_gradient("L").resize((width, height))
ramp = Image.merge("RGB", (across, down, ImageChops.invert(across)))
ImageChops.add(noise, ramp, scale=2).save(f"{sys.argv[1]}/in.png")
PY
# The files as cameras and tools write them: lossy at a usual quality, the scan as deflated TIFF.
vips copy "$work/in.png" "$work/photo.heic[Q=80]"
vips copy "$work/in.png" "$work/photo.avif[Q=60,effort=2]"
vips copy "$work/in.png" "$work/photo.webp[Q=80]"
vips copy "$work/in.png" "$work/photo.tif[compression=deflate]"
vips copy "$work/in.png" "$work/photo.jxl[Q=80]"

run_tool() {  # TOOL IN
  case $1 in
    quilmo) time_run "$quilmo" convert "$2" "$work/q.bmp" ;;
    libvips) time_run vips copy "$2" "$work/v.v" ;;
  esac
}

echo "quilmo-cli convert vs vips copy: median of $runs runs taking turns"
print_machine
for format in heic avif webp tif jxl; do
  in="$work/photo.$format"
  echo "== $format ($(stat -c %s "$in") bytes)"
  take_turns "$runs" run_tool "quilmo libvips" "$in"
  for tool in quilmo libvips; do
    awk -v t=$tool -v w=${wall[$tool]} -v c=${cpu[$tool]} \
      'BEGIN {printf "  %-8s %8.1f ms   cpu %7.1f ms\n", t, w * 1000, c * 1000}'
  done
  awk -v q=${wall[quilmo]} -v v=${wall[libvips]} 'BEGIN {printf "  quilmo takes %.2f x libvips'"'"' time\n", q / v}'
done
