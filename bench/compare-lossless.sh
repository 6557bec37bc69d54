#!/usr/bin/env bash
# Times quilmo-cli join --lossless against the same join re-encoded: six 12-megapixel phone
# photos (4032 x 3024, JPEG quality 90, 4:2:0, with a little grain so that they weigh what phone
# photos weigh) side by side at their own size, once taking the pictures' own coefficients and
# once decoded and encoded again at quality 85. The two take turns (bench/common.sh), RUNS times
# each; the medians are compared with the targets: the lossless join at most 0.25 x the time of
# the re-encoded one, its file at most 1.02 x the pictures' bytes.
#
#   bench/compare-lossless.sh [BUILD_DIR] [RUNS]      (defaults: build, 5)
#
# The photos are made once (with ImageMagick) in $QUILMO_BENCH_DIR, default
# /tmp/quilmo-compare-lossless.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-5}
cli=$build/cli/quilmo-cli
work=${QUILMO_BENCH_DIR:-/tmp/quilmo-compare-lossless}

"$root/scripts/install-bench-deps.sh"
[ -x "$cli" ] || { echo "No $cli: build first (./scripts/build.sh $build)" >&2; exit 1; }
mkdir -p "$work/out"

source "$root/bench/common.sh"
use_roomy_imagemagick "$work"

phones=()
for i in 1 2 3 4 5 6; do
  picture=$work/phone$i-4032x3024.jpg
  [ -f "$picture" ] || "$magick" -seed $((i + 10)) -size 4032x3024 plasma:fractal -blur 0x1 \
    -attenuate 0.4 +noise Gaussian -sampling-factor 2x2 -quality 90 "$picture"
  phones+=("$picture")
done

echo "quilmo-cli join of six phone photos side by side: medians of $runs runs in turn"
echo "(machine: $(nproc) cores; load average $(cut -d' ' -f1-3 /proc/loadavg))"
printf '  %-12s %8s %8s %10s %12s\n' join "wall s" "cpu s" "peak MiB" "file bytes"
declare -A wall=() bytes=()
while read -r name w c k; do
  wall[$name]=$w
  bytes[$name]=$(stat -c %s "$work/out/$name.jpg")
  awk -v n="$name" -v w="$w" -v c="$c" -v k="$k" -v b="${bytes[$name]}" \
    'BEGIN {printf "  %-12s %8.3f %8.3f %10.0f %12d\n", n, w, c, k / 1024, b}'
done < <(in_turn_medians "$work" "$runs" \
  reencoded "$cli join --quality 85 -o $work/out/reencoded.jpg ${phones[*]}" \
  lossless "$cli join --lossless -o $work/out/lossless.jpg ${phones[*]}")
inputs=$(stat -c %s "${phones[@]}" | awk '{s += $1} END {print s}')
awk -v l="${wall[lossless]}" -v r="${wall[reencoded]}" -v b="${bytes[lossless]}" -v i="$inputs" 'BEGIN {
  printf "  targets: wall <= 0.25 x re-encoded: %s (%.3f x); file <= 1.02 x the pictures (%d bytes): %s (%.3f x)\n",
    (l <= 0.25 * r ? "met" : "MISSED"), l / r, i, (b <= 1.02 * i ? "met" : "MISSED"), b / i }'
