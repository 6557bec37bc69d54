#!/usr/bin/env bash
# Fails when a translation source is out of step with the code (lupdate on a copy changes it)
# or when lrelease finds an entry that is not translated yet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lrelease=${LRELEASE:-$(qtpaths6 --query QT_HOST_BINS)/lrelease}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for ts in "$root"/app/translations/*.ts; do
  copy=$work/$(basename "$ts")
  cp "$ts" "$copy"
  "$root/scripts/update-translations.sh" "$copy"
  if ! diff -u "$ts" "$copy"; then
    echo "$ts is out of step with the code: run scripts/update-translations.sh" >&2
    status=1
  fi
  report=$("$lrelease" "$ts" -qm "$work/check.qm")
  echo "$report"
  if ! grep -q ' 0 unfinished)' <<<"$report" || grep -q 'untranslated' <<<"$report"; then
    echo "$ts has texts without a finished translation" >&2
    status=1
  fi
done
exit $status
