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
# the peak resident memory.
time_run() {  # LOG COMMAND...
  local log=$1
  shift
  /usr/bin/time -v -o "$log" "$@" > /dev/null
  awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, p, ":"); w = 0; for (i = 1; i <= n; i++) w = w * 60 + p[i]}
    /User time/ {u = $2} /System time/ {s = $2} /Maximum resident set size/ {k = $2}
    END {print w, u + s, k}' "$log"
}
