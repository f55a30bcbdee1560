#!/usr/bin/env bash
# Checks the Debian package as a distribution would: lintian --pedantic reports no error and no
# warning, desktop-file-validate accepts the menu entry, appstreamcli the metainfo without even a
# pedantic note, and the manual pages render without a complaint. Each check runs where its tool
# is installed; with none of them the whole check is skipped (exit 77). Both programs are run from
# the package first.
# Usage: scripts/check-package.sh BUILD_DIR     (packs that build into a temporary folder first)
#        scripts/check-package.sh PACKAGE.deb
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package: $*" >&2; exit 1; }
have() { command -v "$1" > /dev/null; }

tools=0
for tool in lintian desktop-file-validate appstreamcli man; do have $tool && tools=$((tools + 1)); done
if [ $tools -eq 0 ]; then
  echo "package: skipped (none of lintian, desktop-file-validate, appstreamcli, man is installed)"
  exit 77
fi

if [ -d "$1" ]; then
  cpack --config "$1/CPackConfig.cmake" -G DEB -B "$work/out" > "$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
  deb=$(echo "$work"/out/*.deb)
else
  deb=$1
fi
[ -f "$deb" ] || fail "no package $deb"
dpkg-deb -x "$deb" "$work/root"
share=$work/root/usr/share

# The programs packed are the ones their names say, and run from the package.
[ "$("$work/root/usr/bin/dravik" --version)" != "$(env -u DISPLAY "$work/root/usr/bin/dravik-editor" --version)" ] ||
  fail "dravik and dravik-editor are the same program"
"$work/root/usr/bin/dravik" --version | grep -q '^dravik ' || fail "usr/bin/dravik is not the command line"
env -u DISPLAY QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/dravik-editor" --help 2> /dev/null | grep -q -- --no-recovery ||
  fail "usr/bin/dravik-editor is not the editor"

if have lintian; then
  # Errors and warnings fail; pedantic notes are shown.
  lintian --pedantic --fail-on error,warning "$deb" 2>&1 |
    tee "$work/lintian.log" || fail "lintian: see above"
else
  echo "package: lintian not installed, not checked"
fi
if have desktop-file-validate; then
  for entry in "$share"/applications/*.desktop; do
    desktop-file-validate "$entry" || fail "desktop-file-validate: $entry"
  done
fi
if have appstreamcli; then
  notes=$(appstreamcli validate --pedantic --no-net "$share"/metainfo/*.metainfo.xml) ||
    fail "appstreamcli: the metainfo: $notes"
  ! grep -E '^[EWIP]: ' <<< "$notes" || fail "appstreamcli: the notes above"
fi
if have man; then
  for page in "$share"/man/man1/*.1.gz; do
    complaints=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 > /dev/null)
    [ -z "$complaints" ] || fail "man $(basename "$page"): $complaints"
  done
fi
echo "package: ok ($(basename "$deb"))"
