#!/usr/bin/env bash
# Times what colour management costs a join: a 12-megapixel Display P3 photo (as phones write
# them) joined side by side with a 12-megapixel untagged sRGB photo, at their own sizes, saved as
# JPEG quality 85.
#   quilmo       quilmo-cli join as it comes: the joined picture is in Display P3, the sRGB photo
#                is converted into it, the file carries the profile
#   untagged     the same join of the same pixels without profiles: nothing is converted
#   srgb         --color-space srgb: the Display P3 photo is converted into sRGB
#   libvips      the sRGB photo through icc_transform into Display P3, arrayjoin beside the P3
#                photo, the same JPEG (one streaming process, bench/peers/vips_color_join.py)
# The commands run in turn, RUNS rounds; prints each one's median wall and processor time and
# peak memory, and the cost of the conversion (quilmo against untagged; the target is 10 %).
#
#   bench/compare-color.sh [BUILD_DIR] [RUNS]      (defaults: build, 11)
#
# The photos are made once (with ImageMagick and libvips) in $QUILMO_BENCH_DIR, default
# /tmp/quilmo-compare-color.
set -euo pipefail

source "$(dirname "$0")/common.sh"
start_comparison color "${1:-}" "${2:-11}"
profiles=$build/bench/color_profiles
[ -x "$profiles" ] || { echo "No $profiles: build first (./scripts/build.sh $build)" >&2; exit 1; }

"$profiles" "$work"
for i in 1 2; do
  photo=$work/photo$i-4032x3024.jpg
  [ -f "$photo" ] || "$magick" -seed $((i + 20)) -size 4032x3024 plasma:fractal -blur 0x1 -quality 90 "$photo"
done
# The Display P3 photo, and the same pixels without their profile (the same encoder, stripped).
if [ ! -f "$work/p3.jpg" ]; then
  vips icc_transform "$work/photo1-4032x3024.jpg" "$work/p3.v" "$work/display-p3.icc" \
    --input-profile "$work/srgb.icc" --intent relative --black-point-compensation
  vips copy "$work/p3.v" "$work/p3.jpg[Q=90]"
  vips copy "$work/p3.v" "$work/p3-untagged.jpg[Q=90,strip]"
  rm "$work/p3.v"
fi
srgb=$work/photo2-4032x3024.jpg
out=$work/out

run_tool() {  # TOOL
  case $1 in
    quilmo) time_run "$cli" join --quality 85 -o "$out/quilmo.jpg" "$work/p3.jpg" "$srgb" ;;
    untagged) time_run "$cli" join --quality 85 -o "$out/untagged.jpg" "$work/p3-untagged.jpg" "$srgb" ;;
    srgb) time_run "$cli" join --quality 85 --color-space srgb -o "$out/srgb.jpg" "$work/p3.jpg" "$srgb" ;;
    libvips) time_run /usr/bin/python3 "$peers/vips_color_join.py" "$out/vips.jpg" "$work/display-p3.icc" \
      "$work/srgb.icc" "$work/p3.jpg" "$srgb" ;;
  esac
}

tools="quilmo untagged srgb libvips"
echo "Display P3 photo + sRGB photo, 8064 x 3024 JPEG: median of $runs runs taking turns"
print_machine
take_turns "$runs" run_tool "$tools"
printf '  %-10s %8s %8s %10s %14s %13s\n' tool "wall s" "cpu s" "peak MiB" "wall/untagged" "cpu/untagged"
for tool in $tools; do
  awk -v n=$tool -v w=${wall[$tool]} -v c=${cpu[$tool]} -v k=${peak[$tool]} -v u=${wall[untagged]} \
    -v uc=${cpu[untagged]} 'BEGIN {printf "  %-10s %8.3f %8.3f %10.0f %14.3f %13.3f\n", n, w, c, k / 1024, w / u, c / uc}'
done
awk -v q=${wall[quilmo]} -v u=${wall[untagged]} 'BEGIN {printf "  target: the conversion costs at most 10 %%: %s (%+.1f %%)\n",
  (q <= 1.10 * u ? "met" : "MISSED"), (q / u - 1) * 100}'
