#!/usr/bin/env bash
# Peak memory of 100 undoable clears of a 20 MB document against the passport's size (should stay
# under 2), measured inside by the program and from outside by /usr/bin/time -f %M.
#   bench/undo_memory.sh [BUILD_DIR]          default BUILD_DIR: build (with the benchmarks built)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build}/bin" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/undo_memory" --write "$work/document.psp"
/usr/bin/time -f "%M" -o "$work/time" "$bin/undo_memory" "$work/document.psp"
size=$(stat -c %s "$work/document.psp")
peak=$(tail -n 1 "$work/time")
echo "outside: peak $((peak / 1024)) MB, peak / passport $(awk -v p="$peak" -v s="$size" 'BEGIN { printf "%.2f", p * 1024 / s }')"
