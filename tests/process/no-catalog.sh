#!/bin/sh
# korvelt.exe on a medium whose korvelt folder holds the pictures but no catalogue: the program
# must end by itself with exit code 30 before its window appears.
set -u
wine_run="$1"; program="$2"; library="$3"; medium="$4"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/korvelt"
cp "$program" "$library" "$medium/KORVELT.MSG" "$dir/"
cp "$medium/korvelt/instapp.bmp" "$medium/korvelt/instttl.bmp" "$dir/korvelt/"
cd "$dir"
timeout 600 "$wine_run" korvelt.exe
status=$?
if [ "$status" -ne 30 ]; then
    echo "korvelt.exe without a catalogue ended with $status, expected 30"
    exit 1
fi
echo "korvelt.exe without a catalogue ended with 30"
