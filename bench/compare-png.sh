#!/usr/bin/env bash
# Times a join saved as PNG: quilmo-cli join against Pillow (compress_level 6) and libvips
# (compression 6) on two photo-like JPEGs of 3120 x 3000 side by side, 10 pixels apart: a
# 6250 x 3000 picture, 18.75 megapixels. The tools take turns; prints each tool's median wall
# and processor time of RUNS runs, its peak memory and its file's size, and checks the targets:
# Quilmo's wall time at most 0.5 x Pillow's, its file at most 1.02 x Pillow's.
#
#   bench/compare-png.sh [BUILD_DIR] [RUNS]      (defaults: build, 5)
#
# The pictures are made once (with ImageMagick) in $QUILMO_BENCH_DIR, default
# /tmp/quilmo-compare-png.
set -euo pipefail

source "$(dirname "$0")/common.sh"
start_comparison png "$@"

inputs=()
for i in 1 2; do
  picture=$work/photo$i-3120x3000.jpg
  [ -f "$picture" ] || "$magick" -seed $((i + 20)) -size 3120x3000 plasma:fractal -blur 0x1 -quality 90 "$picture"
  inputs+=("$picture")
done

run_tool() {  # TOOL
  local out=$work/out/$1.png
  case $1 in
    quilmo) time_run "$cli" join --gap 10 -o "$out" "${inputs[@]}" ;;
    pillow) time_run /usr/bin/python3 "$peers/pillow_join.py" h "$out" "${inputs[@]}" ;;
    libvips) time_run /usr/bin/python3 "$peers/vips_join.py" h "$out" "${inputs[@]}" ;;
  esac
}

tools="quilmo pillow libvips"
echo "6250 x 3000 join saved as PNG: median wall time of $runs runs taking turns"
print_machine
take_turns "$runs" run_tool "$tools"

printf '  %-10s %8s %8s %10s %12s %12s %12s\n' tool "wall s" "cpu s" "peak MiB" "file MB" "wall/quilmo" "file/quilmo"
for tool in $tools; do
  awk -v t=$tool -v w=${wall[$tool]} -v c=${cpu[$tool]} -v k=${peak[$tool]} -v q=${wall[quilmo]} \
    -v f="$(stat -c %s "$work/out/$tool.png")" -v qf="$(stat -c %s "$work/out/quilmo.png")" \
    'BEGIN {printf "  %-10s %8.2f %8.2f %10.0f %12.2f %12.2f %12.2f\n", t, w, c, k / 1024, f / 1e6, w / q, f / qf}'
done
awk -v q=${wall[quilmo]} -v p=${wall[pillow]} -v qf="$(stat -c %s "$work/out/quilmo.png")" \
  -v pf="$(stat -c %s "$work/out/pillow.png")" 'BEGIN {
  printf "  targets: wall <= 0.5 x Pillow: %s (%.2f x); file <= 1.02 x Pillow: %s (%.3f x)\n",
    (q <= 0.5 * p ? "met" : "MISSED"), q / p, (qf <= 1.02 * pf ? "met" : "MISSED"), qf / pf }'
