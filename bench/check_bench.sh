#!/usr/bin/env bash
# The passport check over a folder of passports against opening each of them with dump, side by side:
# `tarvena-cli check DIR` (every passport of the folder) against `tarvena-cli dump FILE >/dev/null`
# run once per passport. Half the passports are copies of the sample passport, half copies of a small
# one made from the sample's sources cut down to one horizon of each kind and no attachments.
#   bench/check_bench.sh [BUILD_DIR] [COUNT]        defaults: build, 1000
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build}/bin" && pwd)
count=${2:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The small passport: the first horizon column of each horizon table, the record as it is, no files.
mkdir "$work/small-src" "$work/passports"
cp "$root"/data/samples/* "$work/small-src/"
for table in reflect_horizonts posib_product_hor; do
    awk -F'\t' 'BEGIN { OFS = "\t" } /^#/ || NF < 2 { print; next } { print $1, $2 }' \
        "$root/data/samples/$table.tsv" >"$work/small-src/$table.tsv"
done
head -n 4 "$root/data/samples/files.tsv" | grep '^#\|^NAME' >"$work/small-src/files.tsv"
"$bin/tarvena-cli" make-sample "$work/small-src" "$work/small.psp" >/dev/null
sample="$bin/samples/Северо-Тарвенская.psp"
for ((i = 0; i < count; i++)); do
    if ((i % 2 == 0)); then cp "$sample" "$work/passports/$i.psp"; else cp "$work/small.psp" "$work/passports/$i.psp"; fi
done

seconds() { # command...: wall seconds of the command
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}
dump_all() {
    for file in "$work"/passports/*.psp; do "$bin/tarvena-cli" dump "$file" >/dev/null; done
}
check_all() {
    "$bin/tarvena-cli" check "$work/passports"
}
check_each() { # one process per passport, as dump runs: the GIS libraries load every time
    for file in "$work"/passports/*.psp; do "$bin/tarvena-cli" check "$file" >/dev/null || true; done
}

# Alternating runs; the faster of two counts.
dump1=$(seconds dump_all)
check1=$(seconds check_all)
dump2=$(seconds dump_all)
check2=$(seconds check_all)
each=$(seconds check_each)
dump=$(awk -v a="$dump1" -v b="$dump2" 'BEGIN { print (a < b ? a : b) }')
check=$(awk -v a="$check1" -v b="$check2" 'BEGIN { print (a < b ? a : b) }')
echo "passports: $count (sample $(stat -c %s "$sample") bytes, small $(stat -c %s "$work/small.psp") bytes)"
echo "dump of each:    ${dump} s"
echo "check of all:    ${check} s"
echo "check of each:   ${each} s"
awk -v c="$check" -v d="$dump" 'BEGIN { printf "check / dump: %.2f\n", c / d }'
awk -v c="$each" -v d="$dump" 'BEGIN { printf "check of each / dump: %.2f\n", c / d }'
