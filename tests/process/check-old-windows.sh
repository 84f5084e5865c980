#!/bin/sh
# check-old-windows.sh OBJDUMP LIST BINARY...: fails if a binary imports a DLL or function that
# LIST names (see its head for the form), or asks for a subsystem later than 4.0, the version
# Windows 95 and NT 4.0 load. Prints each binary's imports that way, and every offence.
# objdump's headings are translated in other locales.
export LC_ALL=C
objdump="$1"; list="$2"; shift 2
status=0
for binary in "$@"; do
    "$objdump" -p "$binary" | awk -v list="$list" -v name="$(basename "$binary")" '
        function glob(pattern,    re) {
            re = pattern
            gsub(/[][\\.^$+?(){}|]/, "\\\\&", re)
            gsub(/\*/, ".*", re)
            return "^" re "$"
        }
        BEGIN {
            while ((getline line < list) > 0) {
                if (line ~ /^[ \t]*(#|$)/)
                    continue
                match(line, /^[^ \t]+/)
                entry = substr(line, 1, RLENGTH)
                why = substr(line, RLENGTH + 1)
                sub(/^[ \t]+/, "", why)
                n++
                if (entry ~ /\.dll$/ && entry !~ /!/) {
                    kind[n] = "dll"; dllRe[n] = glob(tolower(entry))
                } else if (entry ~ /!/) {
                    kind[n] = "function"; split(entry, part, "!")
                    dllRe[n] = glob(tolower(part[1])); funcRe[n] = glob(part[2])
                } else {
                    kind[n] = "function"; dllRe[n] = ".*"; funcRe[n] = glob(entry)
                }
                text[n] = entry; origin[n] = why
            }
            if (n == 0) { print "no entries in " list; exit 2 }
        }
        /^MajorSubsystemVersion/ { major = $2 }
        /^MinorSubsystemVersion/ { minor = $2 }
        /^\tDLL Name: / {
            dll = substr($0, index($0, ": ") + 2); dlls++
            for (i = 1; i <= n; i++)
                if (kind[i] == "dll" && tolower(dll) ~ dllRe[i]) {
                    printf "%s imports %s (%s: %s)\n", name, dll, text[i], origin[i]; bad++
                }
            next
        }
        dll != "" && /^\t[0-9a-f]+\t/ {
            split($0, column, "\t"); split(column[3], field, " ")
            imported = field[2]
            if (imported == "") next
            functions++
            for (i = 1; i <= n; i++)
                if (kind[i] == "function" && tolower(dll) ~ dllRe[i] && imported ~ funcRe[i]) {
                    printf "%s imports %s!%s (%s: %s)\n", name, dll, imported, text[i], origin[i]; bad++
                }
            next
        }
        /^$/ { dll = "" }
        END {
            if (n == 0) exit 2
            if (major != 4 || minor != 0) {
                printf "%s asks for subsystem version %s.%s, Windows 95 and NT 4.0 load 4.0\n", name, major, minor
                bad++
            }
            printf "%s: %d functions from %d DLLs, subsystem %s.%s, %d not on Windows 95/98/NT 4.0\n",
                   name, functions, dlls, major, minor, bad + 0
            exit bad > 0
        }' || status=1
done
exit $status
