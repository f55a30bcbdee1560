#!/usr/bin/env bash
# Whole-process timings, measured from outside: the command line beside `dravik --help` (which
# pays only for starting the process and Qt) and `cat` of the image; diff, patch and apply of an
# edited image; and the editor from exec to its first painted window (`--exit-after-show`). The
# commands of a section run in turn, round after round (scripts/bench-pairs.py), and each is
# given as the median of its time divided by `dravik --help`'s time in the same round: on a busy
# machine wall times scatter and drift, and a ratio of two medians taken a minute apart moves by a
# third, while the per-round ratio holds. The machine's load is printed first.
# Usage: scripts/bench-process.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-200}
if ! command -v python3 > /dev/null; then
  echo "python3 is not installed: whole-process figures skipped (apt-get install python3)"
  exit 0
fi
pairs="$(dirname "$0")/bench-pairs.py"
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
chmod 700 "$tmp"
help="dravik --help=$build/dravik --help"

echo "== Load average: $(cut -d' ' -f1-3 /proc/loadavg 2> /dev/null || uptime) on $(getconf _NPROCESSORS_ONLN) cores"
echo
echo "== Command line"
python3 "$pairs" --runs "$runs" "$help" \
  "cat of the image=cat $tmp/a.smc" \
  "dravik export=$build/dravik export $tmp/a.smc" \
  "dravik import, unedited=$build/dravik import $tmp/a.smc $tmp/a.json" \
  "dravik export, 2 images --out-dir=$build/dravik export $tmp/a.smc $tmp/b.smc --out-dir $tmp/out"

echo
echo "== Diff and patches (an image with 300 bytes of its tables edited; after the first run OUT holds the result)"
python3 "$pairs" --runs "$runs" "$help" \
  "dravik diff, edited image=$build/dravik diff $tmp/a.smc $tmp/m.smc" \
  "dravik diff, two unrelated images=$build/dravik diff $tmp/a.smc $tmp/b.smc" \
  "dravik patch, IPS=$build/dravik patch $tmp/a.smc $tmp/m.smc $tmp/out/p.ips" \
  "dravik apply, IPS, to an OUT that holds the result=$build/dravik apply $tmp/a.smc $tmp/p.ips $tmp/out/o.smc" \
  "dravik patch, BPS=$build/dravik patch $tmp/a.smc $tmp/m.smc $tmp/out/p.bps" \
  "dravik apply, BPS, to an OUT that holds the result=$build/dravik apply $tmp/a.smc $tmp/p.bps $tmp/out/o.smc"

echo
echo "== Apply to a new OUT (removed before each run), and to an existing OUT it changes in place"
echo "   (the image copied over it and flushed before each run)"
python3 "$pairs" --runs "$runs" "$help" \
  "dravik apply, IPS, to a new OUT=rm -f $tmp/out/n.smc ;; $build/dravik apply $tmp/a.smc $tmp/p.ips $tmp/out/n.smc" \
  "dravik apply, IPS, to an existing OUT=cp $tmp/a.smc $tmp/out/e.smc && sync $tmp/out/e.smc ;; $build/dravik apply $tmp/a.smc $tmp/p.ips $tmp/out/e.smc"

echo
echo "== Editor, exec to the first painted window (${QT_QPA_PLATFORM})"
python3 "$pairs" --runs $((runs < 60 ? runs : 60)) --warmup 3 "$help" \
  "dravik-editor=$build/dravik-editor --exit-after-show" \
  "dravik-editor with the sample open=$build/dravik-editor --exit-after-show $tmp/a.smc"
