#!/usr/bin/env bash
# Builds every fuzz target and runs each for FUZZ_SECONDS (default 60) from its seed corpus
# fuzz/corpus/NAME (the target's name without "_fuzz"); new inputs go to a scratch folder. Targets
# that open passports find the dictionary files in TARVENA_DICTIONARIES (default build/bin).
#   fuzz/run.sh [OUT_DIR]                        default OUT_DIR: build-fuzz
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
bash "$root/fuzz/build.sh" "$out"
export TARVENA_DICTIONARIES=${TARVENA_DICTIONARIES:-$root/build/bin}
for target in "$root"/fuzz/*_fuzz.cpp; do
    name=$(basename "$target" .cpp)
    seeds=$root/fuzz/corpus/${name%_fuzz}
    work=$(mktemp -d)
    mkdir "$work/corpus"
    echo "fuzzing $name for $seconds s"
    if ! "$out/$name" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -malloc_limit_mb=512 -print_final_stats=1 \
        -artifact_prefix="$work/" "$work/corpus" "$seeds" > "$work/log" 2>&1; then
        tail -n 60 "$work/log"
        echo "$name found a fault; the input is kept in $work"
        exit 1
    fi
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/log" || true
    rm -rf "$work"
done
