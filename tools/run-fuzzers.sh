#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time each, on its own corpus folder
# (kept in the build tree between runs). Fails on the first crash, sanitizer report or input
# slower than 10 seconds.
# A target's seeds (tools/<target>/seeds, made by tools/make-fuzz-seeds.sh) are read as a second
# corpus folder: libFuzzer writes new inputs only to the first, so the seeds stay as committed.
# Its dictionary (tools/<target>/<target>.dict) is used when there is one.
set -euo pipefail
build="$1"; seconds="${2:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
shopt -s nullglob
targets=("$build"/bin/fuzz-*)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $build/bin"; exit 1; }
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    # A catalogue of a whole medium runs to a megabyte; the other inputs are short. An input
    # that takes longer than the timeout is reported as a finding, so slow ones show.
    max_len=65536
    [ "$name" = fuzz-catalog ] && max_len=1048576
    options=(-max_total_time="$seconds" -max_len="$max_len" -timeout=10 -print_final_stats=1 -artifact_prefix="$build/")
    [ -f "$root/tools/$name/$name.dict" ] && options+=(-dict="$root/tools/$name/$name.dict")
    folders=("$corpus")
    [ -d "$root/tools/$name/seeds" ] && folders+=("$root/tools/$name/seeds")
    echo "== $name for ${seconds}s"
    log="$build/$name.log"
    status=0
    # The log's statistics lines are read below, so they come out in the C locale.
    LC_ALL=C "$target" "${options[@]}" "${folders[@]}" >"$log" 2>&1 || status=$?
    LC_ALL=C grep -E '^(stat::number_of_executed_units|SUMMARY)' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -40 "$log"
        echo "$name failed (see $log)"
        exit 1
    fi
done
