#!/bin/sh
# Fails unless tarven.dll exports exactly _LoadMessage@4 and _SetMessageFile@4.
# objdump's headings are translated in other locales, and the table is found by its heading.
export LC_ALL=C
objdump="$1"; dll="$2"
names=$("$objdump" -p "$dll" | awk '
    /\[Ordinal\/Name Pointer\] Table/ { inTable = 1; next }
    inTable && /^[ \t]*\[/ { print $NF; next }
    inTable { inTable = 0 }' | sort | tr '\n' ' ')
expected="_LoadMessage@4 _SetMessageFile@4 "
if [ "$names" != "$expected" ]; then
    echo "export table of $dll: '$names', expected '$expected'"
    exit 1
fi
echo "exports ok: $names"
