#!/usr/bin/env bash
# Whole-process timings, measured from outside with hyperfine: the command line beside
# `dravik --help` (which pays only for starting the process and Qt) and `cat` of the image; diff,
# patch and apply of an edited image; and the editor from exec to its first painted window
# (`--exit-after-show`). The machine's load is
# printed first: on a busy machine wall times scatter, so medians and minimums are given, and each
# command's median as a multiple of the median of `dravik --help`.
# Usage: scripts/bench-process.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-200}
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
# An edited image: 300 bytes across the tables from 0xC0600 on changed by a hand-made IPS patch.
{
  printf 'PATCH'
  for k in $(seq 0 299); do
    o=$((0xC0600 + k * 13))
    printf '%b' "$(printf '\\x%02x\\x%02x\\x%02x\\x00\\x01\\x%02x' $((o >> 16)) $((o >> 8 & 255)) $((o & 255)) $((k * 7 & 255)))"
  done
  printf 'EOF'
} > "$tmp/edit.ips"
"$build/dravik" apply "$tmp/a.smc" "$tmp/edit.ips" "$tmp/m.smc" > /dev/null
"$build/dravik" patch "$tmp/a.smc" "$tmp/m.smc" "$tmp/p.ips" > /dev/null
"$build/dravik" patch "$tmp/a.smc" "$tmp/m.smc" "$tmp/p.bps" > /dev/null
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$tmp}

# name, median, minimum (ms), and median / the first command's median, from hyperfine's JSON.
table() {
  if ! command -v python3 > /dev/null; then
    cat "${1%.json}.md" # hyperfine's own table: means instead of medians
    return
  fi
  python3 - "$1" <<'PY'
import json, statistics, sys
results = json.load(open(sys.argv[1]))["results"]
base = statistics.median(results[0]["times"])
print("| command | median | min | median / first |")
print("|---|---|---|---|")
for r in results:
    m = statistics.median(r["times"])
    print(f"| {r['command']} | {m * 1e3:.2f} ms | {min(r['times']) * 1e3:.2f} ms | {m / base:.2f}x |")
PY
}

echo "== Load average: $(cut -d' ' -f1-3 /proc/loadavg 2> /dev/null || uptime) on $(getconf _NPROCESSORS_ONLN) cores"
echo
echo "== Command line"
hyperfine -N --warmup 10 --runs "$runs" --style none --export-json "$tmp/cli.json" --export-markdown "$tmp/cli.md" \
  -n "dravik --help" "$build/dravik --help" \
  -n "cat of the image" "cat $tmp/a.smc" \
  -n "dravik export" "$build/dravik export $tmp/a.smc" \
  -n "dravik import, unedited" "$build/dravik import $tmp/a.smc $tmp/a.json" \
  -n "dravik export, 2 images --out-dir" "$build/dravik export $tmp/a.smc $tmp/b.smc --out-dir $tmp/out" \
  > /dev/null
table "$tmp/cli.json"

echo
echo "== Diff and patches (an image with 300 bytes of its tables edited; after the first run OUT holds the result)"
hyperfine -N --warmup 10 --runs "$runs" --style none --export-json "$tmp/patch.json" --export-markdown "$tmp/patch.md" \
  -n "dravik --help" "$build/dravik --help" \
  -n "dravik diff, edited image" "$build/dravik diff $tmp/a.smc $tmp/m.smc" \
  -n "dravik diff, two unrelated images" "$build/dravik diff $tmp/a.smc $tmp/b.smc" \
  -n "dravik patch, IPS" "$build/dravik patch $tmp/a.smc $tmp/m.smc $tmp/out/p.ips" \
  -n "dravik apply, IPS, to an OUT that holds the result" "$build/dravik apply $tmp/a.smc $tmp/p.ips $tmp/out/o.smc" \
  -n "dravik patch, BPS" "$build/dravik patch $tmp/a.smc $tmp/m.smc $tmp/out/p.bps" \
  -n "dravik apply, BPS, to an OUT that holds the result" "$build/dravik apply $tmp/a.smc $tmp/p.bps $tmp/out/o.smc" \
  > /dev/null
table "$tmp/patch.json"

echo
echo "== Apply to a new OUT (removed before each run), and to an existing OUT it changes in place"
echo "   (the image copied over it and flushed before each run)"
hyperfine -N --warmup 10 --runs "$runs" --style none --export-json "$tmp/new.json" --export-markdown "$tmp/new.md" \
  -n "dravik --help" --prepare true "$build/dravik --help" \
  -n "dravik apply, IPS, to a new OUT" --prepare "rm -f $tmp/out/n.smc" \
  "$build/dravik apply $tmp/a.smc $tmp/p.ips $tmp/out/n.smc" \
  -n "dravik apply, IPS, to an existing OUT" --prepare "sh -c 'cp $tmp/a.smc $tmp/out/e.smc && sync $tmp/out/e.smc'" \
  "$build/dravik apply $tmp/a.smc $tmp/p.ips $tmp/out/e.smc" \
  > /dev/null
table "$tmp/new.json"

echo
echo "== Editor, exec to the first painted window (${QT_QPA_PLATFORM})"
hyperfine -N --warmup 3 --runs 40 --style none --export-json "$tmp/editor.json" --export-markdown "$tmp/editor.md" \
  -n "dravik --help" "$build/dravik --help" \
  -n "dravik-editor" "$build/dravik-editor --exit-after-show" \
  -n "dravik-editor with the sample open" "$build/dravik-editor --exit-after-show $tmp/a.smc" \
  > /dev/null
table "$tmp/editor.json"
