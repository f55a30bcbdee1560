#!/usr/bin/env bash
# Writes the seeds of the name set, patch, journal and recovery record harnesses into
# fuzz/corpus/{names,patch,journal,recovery}/ from images and patches this project makes (`dravik sample`,
# `dravik patch`) and records as the window writes them. Usage: fuzz/make-seeds.sh [BUILD]
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

# --- journal: [mode] [length of the image, 2 bytes] image... journal...  (mode 1: the harness binds
# the journal to the image file and writes its checksum, so zeros stand in for them here)
journal=fuzz/corpus/journal
rm -rf "$journal" && mkdir -p "$journal"
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
le64() { le32 "$1"; le32 0; }
head -c 64 /dev/zero | tr '\0' 'A' > "$work/img"               # 64 bytes of A
{ head -c 8 "$work/img"; printf 'XXXX'; tail -c 52 "$work/img"; } > "$work/img-new"
range() { le64 "$1"; le32 "$(size "$2")"; le32 "$(size "$3")"; cat "$2" "$3"; }
printf 'AAAA' > "$work/old"; printf 'XXXX' > "$work/new"; : > "$work/none"
printf 'AAAAAAAA' > "$work/tail"; head -c 4 "$work/img" > "$work/grow"
jrn() { # old-size new-size count ranges...
    printf 'DRVKJRN2'; le64 0; le64 0; le64 "$1"; le64 "$2"; le32 "$3"; cat; le64 0
}
seedj() { # name mode image journal
    { byte "$2"; le16 "$(size "$3")"; cat "$3" "$4"; } > "$journal/$1"
}
range 8 "$work/old" "$work/new" | jrn 64 64 1 > "$work/j"
seedj new-bytes-written 1 "$work/img-new" "$work/j"
seedj nothing-written-yet 1 "$work/img" "$work/j"
printf 'ZZZZ' | dd of="$work/img-new" bs=1 seek=8 conv=notrunc status=none
seedj changed-since 1 "$work/img-new" "$work/j"
range 60 "$work/none" "$work/grow" | jrn 60 64 1 > "$work/j"
seedj grown 1 "$work/img" "$work/j"
range 64 "$work/tail" "$work/none" | jrn 72 64 1 > "$work/j"
seedj shrunk 1 "$work/img" "$work/j"
{ range 4 "$work/old" "$work/new"; range 40 "$work/old" "$work/new"; } | jrn 64 64 2 > "$work/j"
seedj two-ranges 1 "$work/img" "$work/j"
printf 'DRVKJRN2\1\2' > "$work/j"
seedj cut-short 0 "$work/img" "$work/j"
printf 'DRVKJRN1' > "$work/j"; le64 64 >> "$work/j"
seedj older-format 0 "$work/img" "$work/j"

# --- recovery: a record as the window writes it (with the values from before, and without as an
# earlier version wrote it), and the ways one can be wrong
recovery=fuzz/corpus/recovery
rm -rf "$recovery" && mkdir -p "$recovery"
hash=$(printf '%064d' 0)
record() { # name tables-json
    printf '{"format":"dravik-recovery-1","hash":"%s","image":"/roms/t.smc","tables":{%s}}' "$hash" "$2" \
        > "$recovery/$1"
}
record cells-and-codes '"items":{"cells":[[3,1,"55"]],"codes":[]},"monsters":{"cells":[[60,9,"1234"]],"codes":[["attacks",60,2,17]]},"tanks":{"cells":[],"codes":[["parts",0,1,130]]}'
record read-only-code '"monsters":{"cells":[],"codes":[["loot_gate",1,0,7]]}'
record name-column '"tanks":{"cells":[[0,6,"x"]],"codes":[]}'
record repeated-key '"items":{"cells":[[3,1,"55"]],"codes":[]},"items":{"cells":[],"codes":[]}'
record lone-surrogate '"items":{"cells":[[3,1,"\ud800"]],"codes":[]}'
printf '{"before":{%s},"format":"dravik-recovery-1","hash":"%s","image":"/roms/t.smc","tables":{%s}}' \
    '"items":{"cells":[[3,1,"20"]],"codes":[]},"tanks":{"cells":[],"codes":[["parts",0,1,2]]}' "$hash" \
    '"items":{"cells":[[3,1,"55"]],"codes":[]},"tanks":{"cells":[],"codes":[["parts",0,1,130]]}' \
    > "$recovery/with-before"
record cut-off-utf8 "$(printf '"items":{"cells":[[3,1,"\xe6\x8e"]],"codes":[]}')"
echo "seeds in $names, $patch, $journal and $recovery"
