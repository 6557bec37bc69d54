#!/usr/bin/env bash
# Times a contact sheet: quilmo-cli join --wrap 8 against ImageMagick's montage and libvips's
# arrayjoin on 40 photo-like JPEGs of mixed sizes and shapes (4:3, 3:2, 1:1, 3:4, 2:3), every
# picture resampled once with a cubic kernel, 10-pixel white gaps, JPEG quality 85. Quilmo
# enlarges each picture to its place by its rule (rows of 8 at the row's tallest height, each
# row widened to the widest); montage and arrayjoin have no such rule, so they do their nearest
# work: every picture fitted into one of 8 x 5 equal cells of the average size of Quilmo's
# places. The tools take turns; prints each tool's median wall and processor time of RUNS runs,
# its peak memory and the sheet's size, and checks the targets: Quilmo's wall time at most 0.7 x
# the faster peer's, its peak memory at most 1.3 x the pixel bytes of its sheet.
#
#   bench/compare-sheet.sh [BUILD_DIR] [RUNS]      (defaults: build, 5)
#
# The pictures are made once (with ImageMagick) in $QUILMO_BENCH_DIR, default
# /tmp/quilmo-compare-sheet.
set -euo pipefail

source "$(dirname "$0")/common.sh"
start_comparison sheet "$@"
across=8

# Shapes in an order that gives every row a mix; the sheet stays below 21,758 pixels across.
shapes=(1200x900 900x1200 1200x800 1000x1000 800x1200 1280x960 1350x900 960x1280 1100x825)
inputs=()
for ((i = 0; i < 40; i++)); do
  size=${shapes[$(((i * 7 + i / 9) % ${#shapes[@]}))]}
  picture=$work/photo$((i + 1))-$size.jpg
  [ -f "$picture" ] || "$magick" -seed $((i + 1)) -size "$size" plasma:fractal -blur 0x1 -quality 90 "$picture"
  inputs+=("$picture")
done

size_of() { "$cli" info "$1" | cut -d' ' -f1; }

# Quilmo's sheet gives the cells the peers fit the pictures into.
"$cli" join --wrap $across --method bicubic --gap 10 --quality 85 -o "$work/out/quilmo.jpg" "${inputs[@]}"
sheet=$(size_of "$work/out/quilmo.jpg")
rows=$(((${#inputs[@]} + across - 1) / across))
cell_width=$(((${sheet%x*} - (across - 1) * 10) / across))
cell_height=$(((${sheet#*x} - (rows - 1) * 10) / rows))

run_tool() {  # TOOL
  case $1 in
    quilmo)
      time_run "$cli" join --wrap $across --method bicubic --gap 10 --quality 85 \
        -o "$work/out/quilmo.jpg" "${inputs[@]}" ;;
    montage)
      time_run "$montage" "${inputs[@]}" -filter Catrom -tile ${across}x \
        -geometry "${cell_width}x${cell_height}+5+5" -background white -quality 85 \
        "$work/out/montage.jpg" ;;
    arrayjoin)
      time_run /usr/bin/python3 "$root/bench/peers/vips_sheet.py" $cell_width $cell_height \
        $across "$work/out/arrayjoin.jpg" "${inputs[@]}" ;;
  esac
}

echo "Contact sheet of ${#inputs[@]} JPEGs, $across across: median wall time of $runs runs taking turns"
print_machine
tools=(quilmo montage arrayjoin)
take_turns "$runs" run_tool "${tools[*]}"

# peak/pixels: the peak memory over the pixel bytes (3 a pixel) of the tool's own sheet.
printf '  %-10s %12s %8s %8s %10s %12s\n' tool sheet "wall s" "cpu s" "peak MiB" "peak/pixels"
for tool in "${tools[@]}"; do
  awk -v t=$tool -v s="$(size_of "$work/out/$tool.jpg")" -v w=${wall[$tool]} -v c=${cpu[$tool]} \
    -v k=${peak[$tool]} \
    'BEGIN {split(s, d, "x"); printf "  %-10s %12s %8.2f %8.2f %10.0f %12.2f\n", t, s, w, c,
      k / 1024, k * 1024 / (d[1] * d[2] * 3)}'
done
bytes=$((${sheet%x*} * ${sheet#*x} * 3))
awk -v q=${wall[quilmo]} -v m=${wall[montage]} -v v=${wall[arrayjoin]} -v k=${peak[quilmo]} -v b=$bytes 'BEGIN {
  f = (m < v ? m : v)
  printf "  targets: wall <= 0.7 x the faster peer: %s (%.2f s vs %.2f s, %.2f x); peak <= 1.3 x pixel bytes: %s (%.2f x)\n",
    (q <= 0.7 * f ? "met" : "MISSED"), q, f, q / f, (k * 1024 <= 1.3 * b ? "met" : "MISSED"), k * 1024 / b }'
