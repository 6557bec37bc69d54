#!/usr/bin/env bash
# Times quilmo-cli join against ImageMagick, libvips and Pillow on the same work: six photo-like
# JPEGs of different shapes (4:3, 3:2 and 3:4, the tallest 2600 pixels high) joined side by
# side at the tallest height and stacked at the widest width, and six 12-megapixel phone photos
# (4032 x 3024) side by side; every picture enlarged with bicubic where it is smaller, 10-pixel
# white gap, saved as JPEG quality 85. The tools take turns; prints each tool's median wall and
# processor time of RUNS runs and its peak memory, and how they compare.
#
# Then the lossless join: six phone photos as phones write them (4032 x 3024, quality 90, 4:2:0,
# with a little grain so that they weigh what phone photos weigh) side by side at their own size,
# once of their own blocks (--lossless) and once decoded and encoded again at quality 85, taking
# turns (bench/common.sh); the medians are compared with the targets: the lossless join at most
# 0.25 x the time of the re-encoded one, its file at most 1.02 x the photos' bytes. "lossless" as
# WHICH runs only that comparison. Beside them, what any lossless join through libjpeg costs at
# least (bench/read_blocks): reading the photos' blocks, and reading them and coding each photo's
# blocks again on its own.
#
#   bench/compare-join.sh [BUILD_DIR] [RUNS] [WHICH]      (defaults: build, 5, all)
#
# The pictures are made once (with ImageMagick) in $QUILMO_BENCH_DIR, default
# /tmp/quilmo-compare-join.
set -euo pipefail

source "$(dirname "$0")/common.sh"
start_comparison join "${1:-}" "${2:-}"
which=${3:-all}

# Joined: 20198 x 2600 side by side, 3000 x 14800 stacked.
sizes=(1600x1200 2400x1600 1950x2600 2000x1500 3000x2000 1800x1350)
mixed=()
for i in "${!sizes[@]}"; do
  picture=$work/photo$((i + 1))-${sizes[$i]}.jpg
  [ -f "$picture" ] || "$magick" -seed $((i + 1)) -size "${sizes[$i]}" plasma:fractal -blur 0x1 -quality 90 "$picture"
  mixed+=("$picture")
done
# Joined: 24242 x 3024, wider than the first platform's 21758 pixels.
phones=()
for i in 1 2 3 4 5 6; do
  picture=$work/phone$i-4032x3024.jpg
  [ -f "$picture" ] || "$magick" -seed $((i + 10)) -size 4032x3024 plasma:fractal -blur 0x1 -quality 90 "$picture"
  phones+=("$picture")
done

tools="quilmo imagemagick libvips pillow"

run_tool() {  # TOOL NAME DIRECTION COMMON IN...   (COMMON: the tallest height or widest width)
  local tool=$1 out=$work/out/$1-${2// /-}.jpg direction=$3 common=$4
  shift 4
  case $tool in
    quilmo)
      local dir=h; [ "$direction" = vertical ] && dir=v
      time_run "$cli" join --direction $dir --method bicubic --gap 10 --quality 85 -o "$out" "$@" ;;
    imagemagick)
      local fit=x$common border=5x0 append=+append shave=5x0
      [ "$direction" = vertical ] && fit=${common}x border=0x5 append=-append shave=0x5
      time_run "$magick" "$@" -filter Catrom -resize $fit -bordercolor white -border $border \
        $append -shave $shave -quality 85 "$out" ;;
    libvips)
      time_run /usr/bin/python3 "$peers/vips_join.py" "${direction:0:1}" "$out" "$@" ;;
    pillow)
      time_run /usr/bin/python3 "$peers/pillow_join.py" "${direction:0:1}" "$out" "$@" ;;
  esac
}

compare() {  # NAME DIRECTION COMMON IN...
  local name=$1
  take_turns "$runs" run_tool "$tools" "$@"
  size=$("$cli" info "$work/out/quilmo-${name// /-}.jpg" | cut -d' ' -f1)
  bytes=$((${size%x*} * ${size#*x} * 3))
  echo
  echo "$name, $size, pixel bytes $((bytes / 1048576)) MiB"
  printf '  %-12s %8s %8s %10s %14s %15s\n' tool "wall s" "cpu s" "peak MiB" "wall/quilmo" "peak/pixels"
  for tool in $tools; do
    awk -v t=$tool -v w=${wall[$tool]} -v c=${cpu[$tool]} -v q=${wall[quilmo]} -v k=${peak[$tool]} -v b=$bytes \
      'BEGIN {printf "  %-12s %8.2f %8.2f %10.0f %14.2f %15.2f\n", t, w, c, k / 1024, w / q, k * 1024 / b}'
  done
  awk -v q=${wall[quilmo]} -v p=${wall[pillow]} -v k=${peak[quilmo]} -v b=$bytes -v limit=$peak_limit 'BEGIN {
    printf "  targets: wall <= Pillow: %s (%.2f s vs %.2f s); peak <= %s x pixel bytes: %s (%.2f x)\n",
      (q <= p ? "met" : "MISSED"), q, p, limit, (k * 1024 <= limit * b ? "met" : "MISSED"), k * 1024 / b }'
}


compare_lossless() {
  local photos=() picture i
  for i in 1 2 3 4 5 6; do
    picture=$work/grain$i-4032x3024.jpg
    [ -f "$picture" ] || "$magick" -seed $((i + 20)) -size 4032x3024 plasma:fractal -blur 0x1 \
      -attenuate 0.4 +noise Gaussian -sampling-factor 2x2 -quality 90 "$picture"
    photos+=("$picture")
  done
  echo
  run_join() {  # NAME
    local quality=--lossless; [ "$1" = reencoded ] && quality="--quality 85"
    time_run "$cli" join $quality -o "$work/out/$1.jpg" "${photos[@]}"
  }
  take_turns "$runs" run_join "reencoded lossless"
  echo "six phone photos side by side at their own size: medians of $runs runs taking turns"
  print_machine
  printf '  %-12s %8s %8s %10s %12s\n' join "wall s" "cpu s" "peak MiB" "file bytes"
  local -A bytes=()
  local name
  for name in reencoded lossless; do
    bytes[$name]=$(stat -c %s "$work/out/$name.jpg")
    awk -v n="$name" -v w="${wall[$name]}" -v c="${cpu[$name]}" -v k="${peak[$name]}" -v b="${bytes[$name]}" \
      'BEGIN {printf "  %-12s %8.3f %8.3f %10.0f %12d\n", n, w, c, k / 1024, b}'
  done
  local inputs
  inputs=$(stat -c %s "${photos[@]}" | awk '{s += $1} END {print s}')
  awk -v l="${wall[lossless]}" -v r="${wall[reencoded]}" -v b="${bytes[lossless]}" -v i="$inputs" 'BEGIN {
    printf "  targets: wall <= 0.25 x re-encoded: %s (%.3f x); file <= 1.02 x the photos (%d bytes): %s (%.3f x)\n",
      (l <= 0.25 * r ? "met" : "MISSED"), l / r, i, (b <= 1.02 * i ? "met" : "MISSED"), b / i }'
  local read copy
  read=$("$build/bench/read_blocks" "$runs" "${photos[@]}")
  copy=$("$build/bench/read_blocks" --copy "$runs" "${photos[@]}")
  awk -v r="${wall[reencoded]}" -v a="$read" -v c="$copy" 'BEGIN {
    printf "  the least through libjpeg: reading the blocks %.3f s (%.3f x re-encoded), reading and coding them again %.3f s (%.3f x)\n",
      a, a / r, c, c / r }'
}

if [ "$which" != lossless ]; then
  echo "quilmo-cli join vs peers: median wall time of $runs runs taking turns, peak resident memory"
  print_machine
  peak_limit=2.5
  compare "horizontal join" horizontal 2600 "${mixed[@]}"
  compare "vertical join" vertical 3000 "${mixed[@]}"
  peak_limit=1.5
  compare "six phone photos" horizontal 3024 "${phones[@]}"
fi
compare_lossless
