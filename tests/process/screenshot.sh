#!/bin/sh
# make screenshot's path: run-medium.sh --screenshot on the staged sample medium must end with
# status 0, having written a PNG picture and left no launcher running.
set -u
script="$1"; build="$2"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
bash "$script" "$build" --screenshot "$dir/shot.png"
status=$?
if [ "$status" -ne 0 ]; then
    echo "run-medium.sh --screenshot ended with $status"
    exit 1
fi
format=$(LC_ALL=C identify -format '%m %wx%h' "$dir/shot.png" 2>/dev/null)
case "$format" in
    PNG*) ;;
    *) echo "run-medium.sh --screenshot ended with 0 but wrote no PNG picture"; exit 1 ;;
esac
if LC_ALL=C xwininfo -root -tree 2>/dev/null | grep -q "Korvelt - Dravemont"; then
    echo "a launcher window outlived run-medium.sh"
    exit 1
fi
echo "run-medium.sh --screenshot ended with 0 and wrote a $format picture"
