#!/usr/bin/env bash
# Builds the table stream fuzz target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, outside the CMake build (needs clang and libclang-rt-14-dev).
#   fuzz/build.sh [OUT_DIR]                      default OUT_DIR: build-fuzz
#   mkdir -p fuzz/corpus-run
#   OUT_DIR/tablestream_fuzz -max_total_time=600 -rss_limit_mb=2048 -malloc_limit_mb=256 \
#       fuzz/corpus-run fuzz/corpus/tablestream
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-fuzz}
rm -rf "$out/obj"
mkdir -p "$out/obj"
export CXX=${CXX:-clang++}
export FLAGS="-std=c++20 -g -O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined -I$root"

sources=("$root"/storage/*.cpp "$root"/model/*.cpp)
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -I{} sh -c \
    'src={}; obj="$0/obj/$(basename "$(dirname "$src")")_$(basename "$src" .cpp).o"; $CXX $FLAGS -fsanitize=fuzzer-no-link -c "$src" -o "$obj"' \
    "$out"
# shellcheck disable=SC2086
$CXX $FLAGS -fsanitize=fuzzer "$root/fuzz/tablestream_fuzz.cpp" "$out"/obj/*.o -lz -o "$out/tablestream_fuzz"
echo "built $out/tablestream_fuzz"
