#!/usr/bin/env bash
# Rebuilds the sample medium's catalogue (examples/medium/korvelt/appdb.dat and the entry files)
# from examples/medium/catalog.json with the host build of korvelt-catalog.
#   tools/build-sample-catalog.sh [HOST_BUILD_DIR]    (default build/host)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/host}"
if [ ! -x "$build/bin/korvelt-catalog" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$build" -j 2 --target korvelt-catalog
fi
"$build/bin/korvelt-catalog" build "$root/examples/medium/catalog.json" "$root/examples/medium/korvelt"
echo "built $root/examples/medium/korvelt/appdb.dat"
