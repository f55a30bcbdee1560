#!/usr/bin/env bash
# The English catalogs under translations/ against the texts of the sources (lupdate reads them):
#   scripts/check-translations.sh [CATALOG...]           fails when a text of the sources is missing
#       from its catalog or not translated, or the catalog keeps a text no source has any more
#   scripts/check-translations.sh --update [CATALOG...]  brings the catalogs up to date in place:
#       new texts come in unfinished (translate them, e.g. in Qt Linguist), vanished ones go
# CATALOG is gui (the window: app, editors, widgets, the converter's dialog) or core (the command
# line and what it shares with the window); both by default. Exit status 77 without lupdate.
set -euo pipefail
cd "$(dirname "$0")/.."
update=0
if [ "${1:-}" = "--update" ]; then update=1; shift; fi
catalogs=("$@")
[ ${#catalogs[@]} -gt 0 ] || catalogs=(gui core)

lupdate=${LUPDATE:-}
for candidate in /usr/lib/qt6/bin/lupdate "$(command -v lupdate || true)"; do
  [ -n "$lupdate" ] || { [ -n "$candidate" ] && [ -x "$candidate" ] && lupdate=$candidate; } || true
done
if [ -z "$lupdate" ]; then
  echo "lupdate not found (Debian: qt6-l10n-tools): translations not checked"
  exit 77
fi

sources() {
  case $1 in
    gui) echo app editors widgets tools/CBaseConvDlg.cpp tools/CBaseConvDlg.h ;;
    core) echo cli i18n names rom tools/BaseConvert.cpp tools/BaseConvert.h ;;
    *) echo "unknown catalog: $1" >&2; exit 2 ;;
  esac
}
# lupdate's C++ reader warns about qualified names it cannot place; the contexts come out right.
run_lupdate() {
  "$lupdate" -silent -locations none "$@" 2>&1 |
    { grep -vE 'Qualifying with unknown|Ignoring definition of undeclared' || true; } >&2
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for catalog in "${catalogs[@]}"; do
  ts=translations/dravik_${catalog}_en.ts
  # shellcheck disable=SC2046 # the list of sources splits on purpose
  if [ $update = 1 ]; then
    run_lupdate -no-obsolete $(sources "$catalog") -ts "$ts"
    continue
  fi
  cp "$ts" "$work/"
  run_lupdate $(sources "$catalog") -ts "$work/${ts##*/}"
  # Each problem with its source text: the <source> line follows the <message> line.
  problems=$(grep -B1 -A1 -E 'type="(unfinished|vanished|obsolete)"' "$work/${ts##*/}" |
             sed -n -e 's/.*<source>\(.*\)<\/source>/\1/p' -e 's/.*<source>\(.*\)/\1 …/p' | head -20 || true)
  unfinished=$(grep -c 'type="unfinished"' "$work/${ts##*/}" || true)
  vanished=$(grep -cE 'type="(vanished|obsolete)"' "$work/${ts##*/}" || true)
  if [ "$unfinished" != 0 ] || [ "$vanished" != 0 ]; then
    echo "$ts: $unfinished texts without English, $vanished no longer in the sources" \
         "(scripts/check-translations.sh --update $catalog, then translate):"
    echo "$problems"
    failed=1
  fi
done
exit $failed
