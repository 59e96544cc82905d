#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
# The Qt-free core once more under AddressSanitizer and UndefinedBehaviorSanitizer.
if [ "${TARVENA_SKIP_SANITIZE:-0}" != 1 ]; then
    bash scripts/build.sh build-asan -DTARVENA_SANITIZE=ON -DTARVENA_GUI=OFF -DTARVENA_BENCH=OFF
    (cd build-asan && ctest --output-on-failure -j "$(nproc)" -E 'editor|app')
fi
# Each fuzz target (libFuzzer with clang) for 60 s from its seed corpus in fuzz/corpus/NAME.
if [ "${TARVENA_SKIP_FUZZ:-0}" != 1 ]; then
    bash fuzz/build.sh build-fuzz
    for target in build-fuzz/*_fuzz; do
        name=$(basename "$target" _fuzz)
        mkdir -p "build-fuzz/corpus-$name"
        TARVENA_DICTIONARIES=build/bin "$target" -max_total_time=60 -rss_limit_mb=2048 -malloc_limit_mb=256 \
            -print_final_stats=1 "build-fuzz/corpus-$name" "fuzz/corpus/$name"
    done
fi
