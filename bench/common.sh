# Shared by the compare-*.sh scripts; sourced, not run.

# ImageMagick's own binaries (not whatever "convert" comes first on the PATH), with a policy
# written into WORK that lets them hold pictures wider than Debian's default limit of 16000
# pixels.
use_roomy_imagemagick() {  # WORK
  magick=$(command -v convert-im6.q16 || echo /usr/bin/convert)
  montage=$(command -v montage-im6.q16 || echo /usr/bin/montage)
  mkdir -p "$1/im-policy"
  cat > "$1/im-policy/policy.xml" <<'POLICY'
<policymap>
  <policy domain="resource" name="width" value="64KP"/>
  <policy domain="resource" name="height" value="64KP"/>
  <policy domain="resource" name="area" value="1GP"/>
  <policy domain="resource" name="memory" value="4GiB"/>
  <policy domain="resource" name="map" value="4GiB"/>
  <policy domain="resource" name="disk" value="8GiB"/>
</policymap>
POLICY
  export MAGICK_CONFIGURE_PATH=$1/im-policy
}

# One run of a command, its output dropped, as "WALL CPU KIB": wall and processor seconds and
# the peak resident memory. The wall time is taken to the microsecond (time itself gives
# hundredths, too coarse for runs of a fraction of a second).
time_run() {  # LOG COMMAND...
  local log=$1
  shift
  local start=$EPOCHREALTIME
  /usr/bin/time -v -o "$log" "$@" > /dev/null
  local end=$EPOCHREALTIME
  awk -F': ' -v w="$(awk -v s="$start" -v e="$end" 'BEGIN {print e - s}')" \
    '/User time/ {u = $2} /System time/ {s = $2} /Maximum resident set size/ {k = $2}
    END {print w, u + s, k}' "$log"
}

# The median of column COLUMN of FILE.
median_of() {  # COLUMN FILE
  sort -g -k"$1" "$2" | awk -v c="$1" '{v[NR] = $c} END {print v[int((NR + 1) / 2)]}'
}

# Runs every command RUNS times in turn (A, B, C, A, B, C, ...), so that a change of load on the
# machine meets every one alike, and prints one line a command: "NAME WALL CPU KIB", its median
# wall and processor seconds and its peak resident memory. A command is one string, split at
# blanks.
in_turn_medians() {  # WORK RUNS NAME COMMAND [NAME COMMAND]...
  local work=$1 runs=$2
  shift 2
  local names=() commands=() i r
  while (($#)); do names+=("$1"); commands+=("$2"); shift 2; done
  for ((r = 0; r < runs; r++)); do
    for i in "${!names[@]}"; do
      # shellcheck disable=SC2086
      time_run "$work/time.log" ${commands[$i]} >> "$work/times-$i"
    done
  done
  for i in "${!names[@]}"; do
    echo "${names[$i]} $(median_of 1 "$work/times-$i") $(median_of 2 "$work/times-$i")" \
      "$(sort -n -k3 "$work/times-$i" | tail -n 1 | cut -d' ' -f3)"
    rm -f "$work/times-$i"
  done
}
