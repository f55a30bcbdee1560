#!/usr/bin/env bash
# Writes the seeds of the name set and patch harnesses into fuzz/corpus/{names,patch}/ from images
# and patches this project makes (`dravik sample`, `dravik patch`). Usage: fuzz/make-seeds.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
dravik="${1:-build}/dravik"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

byte() { printf "\\x$(printf %02x "$1")"; }
le16() { byte $(($1 & 255)); byte $(($1 >> 8)); }
size() { wc -c < "$1" | tr -d ' '; }

# --- names: [flags] then [which] [length, 2 bytes] bytes... per file
names=fuzz/corpus/names
rm -rf "$names" && mkdir -p "$names"
namefile() { # which text
    byte "$1"
    printf '%s' "$2" > "$work/n"
    le16 "$(size "$work/n")"
    cat "$work/n"
}
{ byte 1; namefile 0 $'新主炮\n\n第三门炮\n'; namefile 15 $'甲\n乙\n'; } > "$names/two-lists"
{ byte 1; namefile 3 $'\xEF\xBB\xBF药草\r\n\r\n解毒药\r\n'; } > "$names/bom-crlf"
{ byte 0; namefile 14 $'单体\n一组\n全体\n多余\n'; } > "$names/too-many-lines"
{ byte 0; namefile 1 $'tab\there\n'; namefile 4 $'\xFF\xFE\n'; } > "$names/control-and-not-utf8"
{ byte 0; namefile 2 $'一二三四五六七八九十\n😀\n'; } > "$names/too-wide-and-not-gbk"
{ byte 0; namefile 16 $'x\n'; namefile 17 $'hidden\n'; namefile 18 $'y\n'; } > "$names/other-files"
# A second byte-order mark starts the first name: it must not be lost on export and load back.
{ byte 1; namefile 3 $'\xEF\xBB\xBF\xEF\xBB\xBF\n药草\n'; } > "$names/double-bom"

# --- patch: [mode] [length of A, 2 bytes] A... rest...
patch=fuzz/corpus/patch
rm -rf "$patch" && mkdir -p "$patch"
"$dravik" sample "$work/s.smc" --seed 3 > /dev/null
cut() { dd if="$work/s.smc" of="$2" bs=1 skip="$1" count="$3" status=none; }
cut $((0x60000)) "$work/a" 512                         # A: table bytes of a sample image
cp "$work/a" "$work/b"                                  # B: a few changes, a run and a longer tail
printf 'XYZ' | dd of="$work/b" bs=1 seek=40 conv=notrunc status=none
head -c 40 /dev/zero | dd of="$work/b" bs=1 seek=200 conv=notrunc status=none
cut $((0x61000)) "$work/tail" 64
cat "$work/tail" >> "$work/b"
head -c 300 "$work/a" > "$work/short"                   # C: A cut short
cut $((0x62000)) "$work/other" 512                      # D: unrelated bytes
seed() { # name mode A rest
    { byte "$2"; le16 "$(size "$3")"; cat "$3" "$4"; } > "$patch/$1"
}
for target in b short other; do
    for format in ips bps; do
        "$dravik" patch "$work/a" "$work/$target" "$work/$target.$format" > /dev/null
    done
    seed "apply-ips-$target" 0 "$work/a" "$work/$target.ips"
    seed "apply-bps-$target" $((0x80)) "$work/a" "$work/$target.bps"
    seed "round-trip-$target" 7 "$work/a" "$work/$target"
done
{ byte 16; byte 1; byte 0; byte 0xAA; byte 0xFF; byte 1; byte 0x55; } > "$work/edits"
seed edits 11 "$work/a" "$work/edits"
echo "seeds in $names and $patch"
