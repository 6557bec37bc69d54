#!/usr/bin/env bash
# Times the decoding of a 12-megapixel picture in each format the shipped plug-ins read (HEIC,
# AVIF, WebP, TIFF, JPEG XL): `quilmo-cli convert` (the picture in, a BMP out) against
# `vips copy` (the same picture in, libvips' uncompressed .v out), process start included, and
# prints each mean and Quilmo's time as a multiple of libvips'. Both read through the same
# libraries (libheif, libwebp, libtiff, libjxl).
#   bench/compare-formats.sh [BUILD_DIR] [RUNS]
# Needs the tools of scripts/install-bench-deps.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
runs=${2:-10}
quilmo="$build/cli/quilmo-cli"
[ -x "$quilmo" ] || { echo "no $quilmo: build first" >&2; exit 1; }
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

for format in heic avif webp tif jxl; do
  in="$work/photo.$format"
  echo "== $format ($(stat -c %s "$in") bytes)"
  hyperfine -N -w 2 -r "$runs" --export-json "$work/$format.json" \
    -n quilmo "$quilmo convert $in $work/q.bmp" \
    -n libvips "vips copy $in $work/v.v" > /dev/null
  "$python" - "$work/$format.json" <<'PY'
import json, sys
quilmo, vips = json.load(open(sys.argv[1]))["results"]
for r in (quilmo, vips):
    print(f"  {r['command']:<8} {r['mean'] * 1000:8.1f} ms ± {r['stddev'] * 1000:5.1f}   "
          f"user {r['user'] * 1000:7.1f} ms")
print(f"  quilmo takes {quilmo['mean'] / vips['mean']:.2f} x libvips' time")
PY
done
