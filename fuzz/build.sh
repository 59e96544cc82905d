#!/usr/bin/env bash
# Builds every fuzz target (fuzz/*_fuzz.cpp) with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, outside the CMake build (needs clang and libclang-rt-14-dev).
#   fuzz/build.sh [OUT_DIR]                      default OUT_DIR: build-fuzz
#   mkdir -p fuzz/corpus-run
#   OUT_DIR/tablestream_fuzz -max_total_time=600 -rss_limit_mb=2048 -malloc_limit_mb=256 \
#       fuzz/corpus-run fuzz/corpus/tablestream
# fuzz/run.sh builds and runs them all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-fuzz}
rm -rf "$out/obj"
mkdir -p "$out/obj"
export CXX=${CXX:-clang++}
export FLAGS="-std=c++20 -g -O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined -I$root"

sources=("$root"/storage/*.cpp "$root"/model/*.cpp "$root"/exchange/workbooks/*.cpp "$root"/exchange/unpacking/*.cpp)
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -I{} sh -c \
    'src={}; obj="$0/obj/$(basename "$(dirname "$src")")_$(basename "$src" .cpp).o"; $CXX $FLAGS -fsanitize=fuzzer-no-link -c "$src" -o "$obj"' \
    "$out"
# An archive, so that each target links only what it uses.
rm -f "$out/libtarvena_fuzz.a"
ar rcs "$out/libtarvena_fuzz.a" "$out"/obj/*.o
for target in "$root"/fuzz/*_fuzz.cpp; do
    name=$(basename "$target" .cpp)
    # shellcheck disable=SC2086
    $CXX $FLAGS -fsanitize=fuzzer "$target" "$out/libtarvena_fuzz.a" -ldeflate -lz -pthread -o "$out/$name"
    echo "built $out/$name"
done
