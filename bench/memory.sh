#!/usr/bin/env bash
# Peak memory (and time) of tarvena-cli on a large passport and on hostile passports, measured from
# outside with /usr/bin/time -f %M, and the memory of 100,000 four-field records in a table.
#   bench/memory.sh [BUILD_DIR]          default BUILD_DIR: build (with the benchmarks built)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build}/bin" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() { # label, command...: prints label, peak resident KB, seconds, exit code
    local label=$1
    shift
    /usr/bin/time -f "%M %e %x" -o "$work/time" "$@" >/dev/null 2>"$work/err" || true
    read -r peak seconds code < <(tail -n 1 "$work/time") # after a "Command exited with ..." line
    printf '%-34s %8s KB %7s s  exit %s  %s\n' "$label" "$peak" "$seconds" "${code:-0}" "$(head -c 90 "$work/err")"
}

"$bin/large_passport" "$work/large.psp"
size=$(stat -c %s "$work/large.psp")
echo "large passport: $((size / 1024)) KB"
measure "resave of the large passport" "$bin/tarvena-cli" resave "$work/large.psp" "$work/out.psp"
peak=$(tail -n 1 "$work/time" | cut -d' ' -f1)
echo "resave peak / file size: $(awk -v p="$peak" -v s="$size" 'BEGIN { printf "%.2f", p * 1024 / s }')"
measure "dump of the large passport" "$bin/tarvena-cli" dump "$work/large.psp"

python3 "$root/bench/hostile_passports.py" "$work/hostile" "$bin"
for name in bomb-block bomb-members; do
    measure "open: $name.psp" "$bin/tarvena-cli" dump "$work/hostile/$name.psp"
done
measure "open: DICTIONARYS.BIN bomb" "$bin/tarvena-cli" dump --dictionaries "$work/hostile/bomb-dict" \
    "$work/large.psp"
measure "dump: 1 GB attachment bomb" "$bin/tarvena-cli" dump "$work/hostile/bomb-attachment.psp"

"$bin/record_memory"
