#!/usr/bin/env bash
# Checks that a manual page and its program's --help (and each command's --help) name the same
# commands and long options, so that neither falls behind the other:
#   tests/package/check-manuals.sh PAGE PROGRAM [PAGE PROGRAM]...
# The help is asked for in English, as the pages are written.
set -euo pipefail
export LC_ALL=C
english() { LC_ALL=en_US.UTF-8 "$@"; }
failed=0

# The text of a page with roff's escapes taken out: \- is -, \fB and the like go.
page_text() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$1"; }
long_options() { grep -o -E -- '--[a-z0-9][a-z0-9-]*' | sort -u; }
# The commands in CLI11's help: the first word of each line under "Subcommands:".
commands_in_help() { sed -n '/^Subcommands:/,/^$/p' | sed -n 's/^  \([a-z][a-z0-9-]*\) .*/\1/p'; }

# Every line of $2 not in $1, reported as missing from what $3 names.
report_missing() {
  local missing
  missing=$(comm -13 <(printf '%s\n' "$1") <(printf '%s\n' "$2") | sed '/^$/d')
  [ -z "$missing" ] && return
  echo "$3 lacks: $(echo $missing)" >&2
  failed=1
}

while (($# >= 2)); do
  page=$1 program=$2
  shift 2
  help=$(english "$program" --help)
  commands=$(commands_in_help <<< "$help")
  for command in $commands; do
    help+=$'\n'$(english "$program" "$command" --help)
    grep -q -E "^\.SS \"$command " "$page" || report_missing "" "$command" "$(basename "$page") (command)"
  done
  in_help=$(long_options <<< "$help")
  in_page=$(page_text "$page" | long_options)
  report_missing "$in_page" "$in_help" "$(basename "$page")"
  report_missing "$in_help" "$in_page" "$(basename "$program") --help"
done
exit $failed
