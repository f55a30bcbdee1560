#!/usr/bin/env bash
# Kills the real command-line program part way through commands that change an image and checks
# that every kill, followed by an open, leaves the image exactly as it was or exactly as the
# command makes it: never a mix, never an open that fails.
#   scripts/kill-probe.sh [DRAVIK] [POINTS]
# DRAVIK: the program (default build/dravik). POINTS: about how many kill points per command
# (default 12), spread evenly over the command's write(2) calls and never closer than every 7th.
# Each kill is strace's fault injection: the chosen write is replaced by SIGKILL. The table says,
# per command, how many kills left a journal (the open after them rolled the save back) and how
# many ended old, new or neither. Needs strace (exit status 77 without it). Exit status 1 when any
# kill left a mixed image, a journal after the open or an open that fails.
set -euo pipefail
dravik=$(realpath "${1:-build/dravik}")
points=${2:-12}
command -v strace >/dev/null || { echo "strace not found: nothing probed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export XDG_DATA_HOME=$work/data # journals and locks that fall back go here, not to the user's

# The inputs: an image, an edited copy of it (many rows of several tables), its export and a patch.
"$dravik" sample old.smc --seed 3 >/dev/null
cp old.smc mod.smc
for edit in "monsters HP x+7" "monsters 金钱 x+3" "items 价格 x+10" "tanks 重量 x+1"; do
  read -r table column expr <<<"$edit"
  "$dravik" set mod.smc --table "$table" --column "$column" --all --expr "$expr" >/dev/null 2>&1 ||
    echo "note: set $edit refused; the edited copy has fewer changes"
done
"$dravik" export mod.smc >mod.json
"$dravik" patch old.smc mod.smc mod.ips >/dev/null
cmp -s old.smc mod.smc && { echo "the edited copy equals the image: nothing to probe"; exit 1; }

# name | arguments after the program, with IMG for the image under test
scenarios=(
  "import|import IMG mod.json"
  "apply|apply IMG mod.ips"
  "apply-to|apply old.smc mod.ips IMG"
  "sample|sample IMG --seed 4"
  "set|set IMG --table monsters --column 防御 --all --expr x+1"
)

failed=0
printf '%-8s %7s %5s %6s %8s %5s %5s %6s\n' command writes step kills journals old new mixed
for scenario in "${scenarios[@]}"; do
  name=${scenario%%|*}
  arguments() { # argv: the arguments, with the image $1 for IMG
    local words word
    read -r -a words <<<"${scenario#*|}"
    argv=()
    for word in "${words[@]}"; do [ "$word" = IMG ] && argv+=("$1") || argv+=("$word"); done
  }
  # What the command makes, and how many writes it takes to make it.
  cp old.smc new.smc
  arguments new.smc
  strace -f -qq -e trace=write -o writes.log -- "$dravik" "${argv[@]}" >/dev/null 2>&1 || true
  total=$(grep -c 'write(' writes.log || true)
  cmp -s old.smc new.smc && { echo "$name: changes nothing, skipped"; continue; }
  step=$(((total + points - 1) / points))
  [ "$step" -ge 7 ] || step=7
  kills=0 journals=0 old=0 new=0 mixed=0
  # Evenly spread, and the last write (the command's report, after the image is done).
  for when in $(seq 1 "$step" "$total") "$total"; do
    cp old.smc t.smc
    rm -rf "$XDG_DATA_HOME"
    arguments t.smc
    # A subshell, so the shell's own report of the kill goes nowhere.
    (strace -f -qq -o /dev/null -e trace=write -e inject=write:signal=SIGKILL:when="$when" -- \
      "$dravik" "${argv[@]}" >/dev/null 2>&1 || :) 2>/dev/null
    kills=$((kills + 1))
    if [ -e t.smc.journal ] || [ -n "$(ls -A "$XDG_DATA_HOME/dravik/journals" 2>/dev/null)" ]; then
      journals=$((journals + 1))
    fi
    # The next open deals with whatever the kill left.
    if ! "$dravik" export t.smc >/dev/null 2>open.err; then
      echo "$name, write $when: the open after the kill failed: $(head -c 400 open.err)"
      mixed=$((mixed + 1))
    elif cmp -s t.smc old.smc; then
      old=$((old + 1))
    elif cmp -s t.smc new.smc; then
      new=$((new + 1))
    else
      echo "$name, write $when: the image is neither the old one nor the new one"
      mixed=$((mixed + 1))
    fi
    if [ -e t.smc.journal ] || [ -n "$(ls -A "$XDG_DATA_HOME/dravik/journals" 2>/dev/null)" ]; then
      echo "$name, write $when: a journal is left after the open"
      mixed=$((mixed + 1))
    fi
  done
  printf '%-8s %7s %5s %6s %8s %5s %5s %6s\n' "$name" "$total" "$step" "$kills" "$journals" "$old" "$new" "$mixed"
  [ "$mixed" -eq 0 ] || failed=1
done
exit $failed
