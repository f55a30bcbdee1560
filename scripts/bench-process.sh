#!/usr/bin/env bash
# Whole-process timings, measured from outside with hyperfine: the command line beside
# `dravik --help` (which pays only for starting the process and Qt), and the editor from exec to
# its first painted window (`--exit-after-show`). Usage: scripts/bench-process.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
if ! command -v hyperfine > /dev/null; then
  echo "hyperfine is not installed: whole-process figures skipped (apt-get install hyperfine)"
  exit 0
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$build/dravik" sample "$tmp/a.smc"
"$build/dravik" sample "$tmp/b.smc" --seed 2
"$build/dravik" export "$tmp/a.smc" > "$tmp/a.json"
mkdir "$tmp/out"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$tmp}

echo "== Command line (relative to dravik --help)"
hyperfine -N --warmup 10 --runs 200 --style basic --export-markdown "$tmp/cli.md" \
  -n "dravik --help" "$build/dravik --help" \
  -n "dravik export" "$build/dravik export $tmp/a.smc" \
  -n "dravik import, unedited" "$build/dravik import $tmp/a.smc $tmp/a.json" \
  -n "dravik export, 2 images --out-dir" "$build/dravik export $tmp/a.smc $tmp/b.smc --out-dir $tmp/out" \
  > /dev/null
cat "$tmp/cli.md"

echo
echo "== Editor, exec to the first painted window (${QT_QPA_PLATFORM})"
hyperfine -N --warmup 3 --runs 40 --style basic --export-json "$tmp/editor.json" \
  -n "dravik-editor" "$build/dravik-editor --exit-after-show" \
  -n "dravik-editor with the sample open" "$build/dravik-editor --exit-after-show $tmp/a.smc" \
  > /dev/null
grep -o '"command": "[^"]*"\|"median": [0-9.e-]*' "$tmp/editor.json" | sed 's/"command": //; s/"median": /  median (s): /'
