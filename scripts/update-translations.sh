#!/usr/bin/env bash
# Brings translation sources up to date with the texts in the code: run it after adding,
# changing or removing a text, then translate the entries it marks type="unfinished".
#   update-translations.sh [TS-FILE...]   (default: app/translations/*.ts)
# Texts below app/ are marked with UI_TEXT, which lupdate reads as QT_TRANSLATE_NOOP.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-$(qtpaths6 --query QT_HOST_BINS)/lupdate}
[ $# -gt 0 ] || set -- "$root"/app/translations/*.ts

cd "$root"
"$lupdate" -silent -locations none -no-obsolete -source-language ja \
  -tr-function-alias QT_TRANSLATE_NOOP+=UI_TEXT \
  app cli bigbitmap color core input output batch plugins -ts "$@"
