#!/bin/sh
# setups-fit-catalogue.sh EXAMPLES: each set-up of the sample medium made with NSIS writes the
# very text that its entry in the sample catalogue checks for. The set-ups are made without
# compression here, so that their texts can be found in the program file as they reach the
# system (UTF-16).
export LC_ALL=C
examples="$1"
command -v makensis >/dev/null || { echo "makensis not found: tools/install-deps.sh installs it"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
while IFS='|' read -r app member text; do
    setup="$out/$app-setup.exe"
    if [ ! -f "$setup" ] &&
       ! makensis -V2 -WX -INPUTCHARSET UTF8 -DOUTDIR="$out" "-XSetCompress off" "$examples/medium-setups/$app.nsi"; then
        echo "$app: makensis failed"; status=1; continue
    fi
    json=$(printf '%s' "$text" | sed 's/\\/\\\\/g')
    grep -qF "\"$member\": \"$json\"" "$examples/medium/catalog.json" ||
        { echo "$app: the catalogue has no $member \"$text\""; status=1; }
    # One " xx" per byte on both sides, so a match cannot start inside a byte.
    hex=$(printf '%s' "$text" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -d '\n')
    od -An -tx1 -v "$setup" | tr -d '\n' | grep -qF -- "$hex" ||
        { echo "$app: the set-up does not write \"$text\""; status=1; }
done <<'TABLE'
memo|m_strCheckKey|Software\Korvelt\Samples\Memo
memo|m_strUninstallKey|Software\Microsoft\Windows\CurrentVersion\Uninstall\KorveltMemo
viewer|m_strUninstallKey|Software\Microsoft\Windows\CurrentVersion\Uninstall\KorveltViewer
viewer|m_strCheckFile|Korvelt\画像ビューア.lnk
kakeibo|m_strCheckKey|Software\Korvelt\Samples\Kakeibo\2.0
kakeibo|m_strDisplayName|Korvelt 家計簿 2.0
TABLE
exit $status
