# Shared by the compare-*.sh scripts; sourced, not run.

# What a comparison on pictures made once starts with: root, build, runs, cli, peers and work
# (the pictures' folder, $QUILMO_BENCH_DIR or /tmp/quilmo-compare-NAME, with an out folder in
# it) from the script's arguments [BUILD_DIR] [RUNS]; the peers installed and ImageMagick made
# roomy.
start_comparison() {  # NAME [BUILD_DIR] [RUNS]
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  build=${2:-$root/build}
  runs=${3:-5}
  cli=$build/cli/quilmo-cli
  peers=$root/bench/peers
  work=${QUILMO_BENCH_DIR:-/tmp/quilmo-compare-$1}
  "$root/scripts/install-bench-deps.sh"
  [ -x "$cli" ] || { echo "No $cli: build first (./scripts/build.sh $build)" >&2; exit 1; }
  mkdir -p "$work/out"
  use_roomy_imagemagick "$work"
}

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
# the peak resident memory. The wall time is read to the microsecond, as runs of a tenth of a
# second are timed too.
time_run() {  # COMMAND...
  local log start end
  log=$(mktemp)
  start=$EPOCHREALTIME
  /usr/bin/time -v -o "$log" "$@" > /dev/null
  end=$EPOCHREALTIME
  awk -F': ' -v w="$(awk -v a="$start" -v b="$end" 'BEGIN {print b - a}')" \
    '/User time/ {u = $2} /System time/ {s = $2} /Maximum resident set size/ {k = $2}
    END {print w, u + s, k}' "$log"
  rm -f "$log"
}

# The median of some numbers.
median() {  # NUMBER...
  printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}

# Times tools the way users meet them: the tools take turns (A, B, C, A, B, C, ...), so each
# finds the machine's memory and caches as another program left them, and other work on the
# machine falls on all alike. Timed back to back, a program finds its own freed memory ready
# and looks faster than it is. RUN_ONE TOOL ARGS... runs a tool once and prints its
# "WALL CPU KIB" (as time_run does). Sets wall[TOOL] and cpu[TOOL] to the medians of RUNS runs
# and peak[TOOL] to the highest peak.
take_turns() {  # RUNS RUN_ONE "TOOL..." ARGS...
  local runs=$1 run_one=$2 tools=$3 r tool line w c k
  shift 3
  declare -gA wall=() cpu=() peak=()
  local -A walls=() cpus=()
  for ((r = 0; r < runs; r++)); do
    for tool in $tools; do
      line=$("$run_one" "$tool" "$@")
      read -r w c k <<< "$line"
      walls[$tool]+=" $w" cpus[$tool]+=" $c"
      ((k > ${peak[$tool]:-0})) && peak[$tool]=$k
    done
  done
  for tool in $tools; do
    wall[$tool]=$(median ${walls[$tool]})
    cpu[$tool]=$(median ${cpus[$tool]})
  done
}

# The first line of every comparison: how busy the machine was.
print_machine() {
  echo "(machine: $(nproc) cores; load average $(cut -d' ' -f1-3 /proc/loadavg))"
}

