#!/usr/bin/env bash
# Writes the starting inputs of the libFuzzer targets into tools/fuzz-*/seeds: the sample
# medium's files cut to each harness's input layout, plus small hand-made files for the forms
# the medium does not show. The seeds are kept in the repository; rerun this after changing the
# medium or a harness's layout.
# Usage: tools/make-fuzz-seeds.sh
set -euo pipefail
export LC_ALL=C  # lengths below are byte counts
root="$(cd "$(dirname "$0")/.." && pwd)"
medium="$root/examples/medium"

# Bytes given as numbers.
bytes() { printf "$(printf '\\x%02x' "$@")"; }
le16() { bytes $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { bytes $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
repeat() { local i; for ((i = 0; i < $2; ++i)); do printf '%s' "$1"; done; }

fresh() { rm -rf "$1"; mkdir -p "$1"; }

# --- fuzz-msgcat: the input is the message file itself ----------------------------------------
seeds="$root/tools/fuzz-msgcat/seeds"
fresh "$seeds"
cp "$medium/KORVELT.MSG" "$seeds/medium.msg"
printf 'CAPTION=1\r\nDIALOG_OK=23\r\n[MESSAGES]\r\nCAPTION=Korvelt\r\nDIALOG_OK=OK\r\n\x1ACAPTION=after the end\r\n' \
    >"$seeds/crlf-ctrl-z.msg"
# Repeated numbers reached from above, from below and from the same number, and numbers that
# sort differently signed and unsigned.
printf 'A=5\nB=3\nC=5\nD=-1\nE=2147483648\n[messages]\nA=a1\nB=b1\nA=a2\nC=c1\nD=d1\nB=b2\nE=e1\nA=a3\nA=a4\nB=b3\n' \
    >"$seeds/runs.msg"
# Comments, blanks around the equals sign, a line without one (the empty name), numbers that
# wrap, a header in odd case with blanks, and a second header that is only a message line.
printf '; comment\n\t42abc\nX = 4294967301\nY=-2147483648\nZ=+007\n  [MeSsAgEs]\t\n=empty name\nX  =  a = b\n ;skipped\n[MESSAGES]\nY=;kept\nW=undefined\n' \
    >"$seeds/edges.msg"

# --- fuzz-dib: the packed bitmap, without the 14-byte file header -----------------------------
seeds="$root/tools/fuzz-dib/seeds"
fresh "$seeds"
tail -c +15 "$medium/korvelt/instapp.bmp" >"$seeds/medium-instapp.dib"

# The 40-byte info header: width height bits compression sizeimage colours-used.
info() {
    le32 40; le32 "$1"; le32 "$2"; le16 1; le16 "$3"; le32 "$4"; le32 "$5"
    le32 2835; le32 2835; le32 "$6"; le32 0
}
# The later headers of 108 and 124 bytes: the info fields, four masks, then zeros.
info_long() {
    local size=$1; shift
    le32 "$size"; le32 "$1"; le32 "$2"; le16 1; le16 "$3"; le32 "$4"; le32 "$5"
    le32 2835; le32 2835; le32 0; le32 0
    le32 0x00FF0000; le32 0x0000FF00; le32 0x000000FF; le32 0xFF000000
    head -c $((size - 56)) /dev/zero
}
core() { le32 12; le16 "$1"; le16 "$2"; le16 1; le16 "$3"; }
palette() { local i; for ((i = 0; i < $1; ++i)); do bytes $i $((255 - i)) $((i / 2)); if [ "$2" = 4 ]; then bytes 0; fi; done; }
# Rows of a w-pixel picture at the given depth, each padded to whole 32-bit words.
pixels() {
    local w=$1 h=$2 bits=$3 y x
    local stride=$(((w * bits + 31) / 32 * 4))
    for ((y = 0; y < h; ++y)); do
        for ((x = 0; x < stride; ++x)); do bytes $(((x * 37 + y * 11) & 255)); done
    done
}

for bits in 1 4 8; do
    { info 5 3 $bits 0 0 0; palette $((1 << bits)) 4; pixels 5 3 $bits; } >"$seeds/info-$bits.dib"
    { core 5 3 $bits; palette $((1 << bits)) 3; pixels 5 3 $bits; } >"$seeds/core-$bits.dib"
done
{ core 5 3 24; pixels 5 3 24; } >"$seeds/core-24.dib"
for bits in 16 24 32; do
    { info 5 3 $bits 0 0 0; pixels 5 3 $bits; } >"$seeds/info-$bits.dib"
done
{ info 5 -3 24 0 0 0; pixels 5 3 24; } >"$seeds/info-24-top-down.dib"
{ info 5 3 8 0 0 20; palette 20 4; pixels 5 3 8; } >"$seeds/info-8-colors-used.dib"
# Bit-field masks after the plain info header: 5-6-5 at 16 bits, 8-8-8 at 32.
{ info 5 3 16 3 0 0; le32 0xF800; le32 0x07E0; le32 0x001F; pixels 5 3 16; } >"$seeds/info-16-bitfields.dib"
{ info 5 3 32 3 0 0; le32 0xFF0000; le32 0xFF00; le32 0xFF; pixels 5 3 32; } >"$seeds/info-32-bitfields.dib"
{ info_long 108 5 3 32 3 0; pixels 5 3 32; } >"$seeds/v4-32-bitfields.dib"
{ info_long 124 5 -3 24 0 0; pixels 5 3 24; } >"$seeds/v5-24-top-down.dib"
# Run-length pixels: each row one run, an end-of-line, then end-of-bitmap; the image size is
# what bounds their reading.
rle_rows() { local y; for ((y = 0; y < 3; ++y)); do bytes 5 "$1" 0 0; done; bytes 0 1; }
{ info 5 3 8 1 14 0; palette 256 4; rle_rows 7; } >"$seeds/info-8-rle8.dib"
{ info 5 3 4 2 14 0; palette 16 4; rle_rows 0x12; } >"$seeds/info-4-rle4.dib"

# --- fuzz-catalog: a flag byte, the index, then the entry files, cut apart by "\n--\n" ---------
# Which piece an entry file name reads is decided by the harness's string hash. With five
# pieces every name used here lands on one of them (memo.app, viewer.app, kakeibo.app,
# fonts.app, 0.app to 4.app); with four, memo.app would find no file.
seeds="$root/tools/fuzz-catalog/seeds"
fresh "$seeds"
cut=$'\n--\n'
str() {
    local n=${#1}
    if ((n < 0xFF)); then bytes "$n"; else bytes 0xFF; le16 "$n"; fi
    printf '%s' "$1"
}
# Fields from the given one (counting from 0) to the last, strings empty and integers 0.
rest_of_entry() {
    local kinds=SSSSSSISSIIIISISSIISSISISSSSISSS i
    for ((i = $1; i < 32; ++i)); do
        if [ "${kinds:i:1}" = S ]; then bytes 0; else le32 0; fi
    done
}
# An entry whose fields are empty or 0 except the title.
entry() { str "$1"; rest_of_entry 1; }
medium_entries() {
    local f
    for f in memo viewer kakeibo fonts; do printf '%s' "$cut"; cat "$medium/korvelt/$f.app"; done
    printf '%s' "$cut"; entry "Fifth"
}
{ bytes 0; cat "$medium/korvelt/appdb.dat"; medium_entries; } >"$seeds/medium-index.cat"
# Without an index the "*.app" scan names the pieces 0.app, 1.app and so on.
{ bytes 1; medium_entries; } >"$seeds/medium-scan.cat"
# Every length form: the 16-bit and 32-bit prefixes (also longer than needed), and the
# UTF-16 form with a short and a 16-bit second prefix. Data after the last name is reported.
{
    bytes 0; le32 2
    bytes 0xFF; le16 8; printf 'memo.app'
    bytes 0xFF 0xFF 0xFF; le32 10; printf 'viewer.app'
    printf 'trailing'
    printf '%s' "$cut"
    bytes 0xFF 0xFE 0xFF 4 0xE5 0x65 0x2C 0x67 0x41 0x00 0x71 0xFF  # U+65E5 U+672C A U+FF71
    str "$(repeat 'Setup.exe /x ' 24)"
    bytes 0xFF 0xFE 0xFF 0xFF; le16 3; bytes 0x41 0 0x42 0 0xE9 0  # A B U+00E9
    bytes 0xFF 0xFF 0xFF; le32 7; printf 'C:\\Form'
    str 'Software\Korvelt\Samples\Forms'
    str ''
    le32 1
    rest_of_entry 7
    printf '%s' "$cut"; entry "Second"
    printf '%s' "$cut"; entry "Third"
    printf '%s' "$cut"; entry "Fourth"
    printf '%s' "$cut"; entry "Fifth"
} >"$seeds/length-forms.cat"
# An index that names more entries than it holds, and one whose second name finds no file.
{ bytes 0; le32 3; str 'viewer.app'; printf '%s' "$cut"; entry "Only"; } >"$seeds/count-too-high.cat"
{
    bytes 0; le32 2; str 'fonts.app'; str '7.app'
    for t in One Two Three Four Five; do printf '%s' "$cut"; entry "$t"; done
} >"$seeds/missing-file.cat"

# --- fuzz-launch: a settings byte, then the set-up folder, set-up command, uninstall command,
# registry uninstall string, copy list and one more command line, cut apart by "\n--\n" ---------
# Settings: bit 0 the medium is a folder, bit 1 Windows 95, bits 2-4 the uninstall type (modulo
# 3), bit 5 every start needs administrator rights.
seeds="$root/tools/fuzz-launch/seeds"
fresh "$seeds"
pieces() { local first=1 p; for p in "$@"; do ((first)) || printf '%s' "$cut"; first=0; printf '%s' "$p"; done; }
{ bytes 0x05; pieces '\apps\memo' 'setup.exe /q' '%DIRECT_FROM_CD%=\apps\memo\uninst.exe /x' 'MsiExec.exe /X{1234}' \
    $'\\DATA\\A.DLL>C:\\Target\r\n/DATA/B.TXT>C:\\Target\r\n\\DATA\\..>C:\\T' 'C:\Program Files\My App\uninst.exe /S'; } \
    >"$seeds/medium-in-a-folder.cmd"
{ bytes 0x02; pieces 'apps' 'setup' '' $'C:\\Program Files\\My App\\uninst.exe\t/x' \
    $'\\DATA\\\x95\x5C.TXT>C:\\Target\r\nDATA\\C.TXT>C:\\Target\\\x95' 'uninst.exe /log:x'; } \
    >"$seeds/registry-on-95.cmd"
{ bytes 0x24; pieces '' 'cmd' 'Vendor\Remove.lnk' '' '' 'cmd /c "C:\Program Files\My App\uninst.exe /x"'; } \
    >"$seeds/start-menu-elevated.cmd"

for d in "$root"/tools/fuzz-*/seeds; do
    echo "$(ls "$d" | wc -l) seeds, $(du -sb "$d" | cut -f1) bytes in ${d#$root/}"
done
