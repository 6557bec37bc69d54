#!/usr/bin/env bash
# Times `quilmo-cli resize` against ImageMagick, libvips and Pillow, end to end (BMP in, BMP out,
# process start included), on a 2x enlargement of 1600 x 1200 (bicubic, Lanczos) and a 4x box
# reduction of 4000 x 3000. The tools take turns; prints each tool's median time of RUNS runs and
# its ratio to Quilmo's.
#   bench/compare-resize.sh [BUILD_DIR] [RUNS]      (defaults: build, 10)
# Needs the tools of scripts/install-bench-deps.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
runs=${2:-10}
quilmo="$build/cli/quilmo-cli"
[ -x "$quilmo" ] || { echo "no $quilmo: build first" >&2; exit 1; }
source "$here/bench/common.sh"
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

run_tool() {  # TOOL IN WIDTH HEIGHT QUILMO_METHOD IM_FILTER VIPS_ARGS PILLOW_KERNEL
  local in=$2 w=$3 h=$4 method=$5 filter=$6 vips_args=$7 kernel=$8
  case $1 in
    quilmo) time_run "$quilmo" resize --method "$method" "$in" "$work/q.bmp" "$w" "$h" ;;
    imagemagick) time_run "$imagemagick" "$in" -filter "$filter" -resize "${w}x${h}!" "$work/m.bmp" ;;
    libvips) time_run vips resize "$in" "$work/v.bmp" $vips_args ;;
    pillow) time_run "$python" "$work/pillow.py" "$in" "$work/p.bmp" "$w" "$h" "$kernel" ;;
  esac
}

tools="quilmo imagemagick libvips pillow"

# compare NAME IN WIDTH HEIGHT QUILMO_METHOD IM_FILTER VIPS_ARGS PILLOW_KERNEL
compare() {
  local name=$1 tool
  shift
  take_turns "$runs" run_tool "$tools" "$work/$1" "${@:2}"
  echo "== $name"
  for tool in $tools; do
    awk -v t=$tool -v w=${wall[$tool]} -v c=${cpu[$tool]} -v q=${wall[quilmo]} \
      'BEGIN {printf "  %-12s %8.1f ms   cpu %7.1f ms   %5.2f x quilmo'"'"'s time\n", t, w * 1000, c * 1000, w / q}'
  done
}

echo "quilmo-cli resize vs peers: median of $runs runs taking turns"
print_machine
compare bicubic in1600.bmp 3200 2400 bicubic Catrom "2 --kernel cubic" BICUBIC
compare lanczos in1600.bmp 3200 2400 lanczos Lanczos "2 --kernel lanczos3" LANCZOS
compare box in4000.bmp 1000 750 reduce Box "0.25 --kernel linear" BOX
