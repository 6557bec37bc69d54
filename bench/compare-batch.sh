#!/usr/bin/env bash
# Times quilmo-cli batch against Pillow and libvips on the same work: 100 pairs of photo-like
# JPEGs, 1600 x 1200 on the left and 1200 x 1600 on the right, joined side by side with the left
# picture enlarged by bicubic to 1600 pixels high, 10-pixel white gap, each result saved as JPEG
# quality 85 (3343 x 1600). Every tool runs two processes. The tools take turns; prints each
# tool's median wall and processor time of RUNS runs and its peak memory, and how they compare.
#
#   bench/compare-batch.sh [BUILD_DIR] [RUNS]      (defaults: build, 5)
#
# The pictures are made once (with ImageMagick) in $QUILMO_BENCH_DIR, default
# /tmp/quilmo-compare-batch.
set -euo pipefail

source "$(dirname "$0")/common.sh"
start_comparison batch "$@"
pairs=100
jobs=2

# Ten different pictures of each shape, copied to 100 files each: what is timed is the joining,
# not the making of plasma pictures.
mkdir -p "$work/in"
for ((i = 1; i <= 10; i++)); do
  [ -f "$work/left-$i.jpg" ] || "$magick" -seed "$i" -size 1600x1200 plasma:fractal -blur 0x1 -quality 90 "$work/left-$i.jpg"
  [ -f "$work/right-$i.jpg" ] || "$magick" -seed $((i + 100)) -size 1200x1600 plasma:fractal -blur 0x1 -quality 90 "$work/right-$i.jpg"
done
: > "$work/pairs.txt"
for ((n = 1; n <= pairs; n++)); do
  i=$(((n - 1) % 10 + 1))
  [ -f "$work/in/left$n.jpg" ] || cp "$work/left-$i.jpg" "$work/in/left$n.jpg"
  [ -f "$work/in/right$n.jpg" ] || cp "$work/right-$i.jpg" "$work/in/right$n.jpg"
  printf '%s\t%s\n' "$work/in/left$n.jpg" "$work/in/right$n.jpg" >> "$work/pairs.txt"
done

# One timed run of a command into a fresh out folder, as "WALL CPU KIB".
measure() {
  rm -rf "$work/out" && mkdir -p "$work/out"
  time_run "$@"
  [ "$(ls "$work/out" | wc -l)" -eq "$pairs" ] || { echo "$1 wrote $(ls "$work/out" | wc -l) of $pairs results" >&2; exit 1; }
}

run_tool() {  # TOOL
  case $1 in
    quilmo)
      measure "$cli" batch --pairs "$work/pairs.txt" --jobs $jobs --direction h --method bicubic \
        --gap 10 --format jpg --quality 85 --out "$work/out" ;;
    pillow) measure /usr/bin/python3 "$peers/pillow_batch.py" "$work/pairs.txt" "$work/out" $jobs ;;
    libvips) measure /usr/bin/python3 "$peers/vips_batch.py" "$work/pairs.txt" "$work/out" $jobs ;;
  esac
}

echo "quilmo-cli batch vs peers: $pairs pairs, $jobs processes, median wall time of $runs runs taking turns"
print_machine
take_turns "$runs" run_tool "quilmo pillow libvips"
printf '  %-10s %8s %8s %10s %12s\n' tool "wall s" "cpu s" "peak MiB" "wall/quilmo"
for tool in quilmo pillow libvips; do
  awk -v t=$tool -v w=${wall[$tool]} -v c=${cpu[$tool]} -v k=${peak[$tool]} -v q=${wall[quilmo]} \
    'BEGIN {printf "  %-10s %8.2f %8.2f %10.0f %12.2f\n", t, w, c, k / 1024, w / q}'
done
awk -v q=${wall[quilmo]} -v p=${wall[pillow]} -v v=${wall[libvips]} 'BEGIN {
  f = p < v ? p : v
  printf "  target: wall <= 0.6 x the fastest peer: %s (%.2f s vs %.2f s: %.2f x)\n", (q <= 0.6 * f ? "met" : "MISSED"), q, f, q / f }'
