#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree: both programs (and that they
# run from there), the desktop menu entry pointing at the installed editor, and its icon.
# Usage: scripts/check-install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
fail() { echo "install tree: $*" >&2; exit 1; }
for f in bin/dravik bin/dravik-editor share/applications/dravik-editor.desktop \
         share/icons/hicolor/256x256/apps/dravik-editor.png; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
[ -x "$prefix/bin/dravik" ] && [ -x "$prefix/bin/dravik-editor" ] || fail "programs not executable"
desktop=$prefix/share/applications/dravik-editor.desktop
grep -qx 'Exec=dravik-editor %f' "$desktop" || fail "desktop entry does not start dravik-editor"
grep -qx 'Icon=dravik-editor' "$desktop" || fail "desktop entry names another icon"
if command -v desktop-file-validate > /dev/null; then desktop-file-validate "$desktop" || fail "invalid desktop entry"; fi
"$prefix/bin/dravik" --help > /dev/null || fail "installed dravik does not run"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$prefix "$prefix/bin/dravik-editor" --exit-after-show 2> /dev/null ||
  fail "installed dravik-editor does not start"
echo "install tree: ok"
