#!/bin/sh
# A second start of korvelt.exe while one runs: the second shows message 26 in a box without
# owner, brings the first (minimised) window back and ends with exit code 0.
set -u
wine_run="$1"; program="$2"; library="$3"; driver="$4"; medium="$5"
dir=$(mktemp -d)
first=""
cleanup() {
    [ -n "$first" ] && kill "$first" 2>/dev/null
    # No launcher window may outlive the test: later tests in this prefix look for its caption.
    prefix=$(LC_ALL=C sed -n 's/^export WINEPREFIX="\(.*\)"$/\1/p' "$wine_run")
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null
    rm -rf "$dir"
}
trap cleanup EXIT
cp -r "$medium/." "$dir/"
cp "$program" "$library" "$driver" "$dir/"
cd "$dir"

"$wine_run" korvelt.exe &
first=$!
# The driver waits for the first window, minimises it, then answers the second start's box.
"$wine_run" korvelt-driver.exe second-start 400 &
driver_pid=$!
for _ in $(seq 1 400); do
    LC_ALL=C xwininfo -root -tree 2>/dev/null | grep -q "Korvelt - Dravemont" && break
    sleep 1
done
sleep 5
timeout 600 "$wine_run" korvelt.exe
second=$?
wait "$driver_pid"
answered=$?
if [ "$second" -ne 0 ] || [ "$answered" -ne 0 ]; then
    echo "second start ended with $second, driver with $answered"
    exit 1
fi
kill -0 "$first" 2>/dev/null || { echo "the first launcher ended"; exit 1; }
echo "second start answered with message 26 and ended; the first window came back"
