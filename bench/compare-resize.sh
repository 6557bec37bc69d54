#!/usr/bin/env bash
# Times `quilmo-cli resize` against ImageMagick, libvips and Pillow, end to end (BMP in, BMP out,
# process start included), on a 2x enlargement of 1600 x 1200 (bicubic, Lanczos) and a 4x box
# reduction of 4000 x 3000, and prints each tool's mean time and its ratio to Quilmo's.
#   bench/compare-resize.sh [BUILD_DIR] [RUNS]
# Needs the tools of scripts/install-bench-deps.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
runs=${2:-10}
quilmo="$build/cli/quilmo-cli"
[ -x "$quilmo" ] || { echo "no $quilmo: build first" >&2; exit 1; }
# Debian's interpreter and ImageMagick, not whatever else is first on PATH.
python=/usr/bin/python3
imagemagick=$(command -v convert-im6.q16 || command -v magick || echo /usr/bin/convert)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/pillow.py" <<'PY'
import sys
from PIL import Image
source, target, width, height, kernel = sys.argv[1:]
Image.open(source).resize((int(width), int(height)), getattr(Image, kernel)).save(target)
PY
# Noise in every channel over a gradient: neither flat nor pure noise.
"$python" - "$work" <<'PY'
import sys
from PIL import Image, ImageChops
for width, height in ((1600, 1200), (4000, 3000)):
    noise = Image.merge("RGB", [Image.effect_noise((width, height), s) for s in (30, 50, 70)])
    ramp = Image.linear_gradient("L").resize((width, height)).convert("RGB")
    ImageChops.add(noise, ramp, scale=2).save(f"{sys.argv[1]}/in{width}.bmp")
PY

# compare NAME IN WIDTH HEIGHT QUILMO_METHOD IM_FILTER VIPS_ARGS PILLOW_KERNEL
compare() {
  local name=$1 in=$work/$2 w=$3 h=$4 method=$5 filter=$6 vips_args=$7 kernel=$8
  echo "== $name"
  hyperfine -N -w 2 -r "$runs" --export-json "$work/$name.json" \
    -n quilmo "$quilmo resize --method $method $in $work/q.bmp $w $h" \
    -n imagemagick "$imagemagick $in -filter $filter -resize ${w}x${h}! $work/m.bmp" \
    -n libvips "vips resize $in $work/v.bmp $vips_args" \
    -n pillow "$python $work/pillow.py $in $work/p.bmp $w $h $kernel" > /dev/null
  "$python" - "$work/$name.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
quilmo = results[0]["mean"]
for r in results:
    print(f"  {r['command']:<12} {r['mean'] * 1000:8.1f} ms ± {r['stddev'] * 1000:5.1f}   "
          f"user {r['user'] * 1000:7.1f} ms   {r['mean'] / quilmo:5.2f} x quilmo's time")
PY
}

compare bicubic in1600.bmp 3200 2400 bicubic Catrom "2 --kernel cubic" BICUBIC
compare lanczos in1600.bmp 3200 2400 lanczos Lanczos "2 --kernel lanczos3" LANCZOS
compare box in4000.bmp 1000 750 reduce Box "0.25 --kernel linear" BOX
