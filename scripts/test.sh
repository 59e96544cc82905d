#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
# The Debian package, installed, tried from outside the build and removed again.
if [ "${TARVENA_SKIP_PACKAGE_TEST:-0}" != 1 ]; then
    bash scripts/package-test.sh build
fi
# The Qt-free core once more under AddressSanitizer and UndefinedBehaviorSanitizer.
if [ "${TARVENA_SKIP_SANITIZE:-0}" != 1 ]; then
    bash scripts/build.sh build-asan -DTARVENA_SANITIZE=ON -DTARVENA_GUI=OFF -DTARVENA_BENCH=OFF
    (cd build-asan && ctest --output-on-failure -j "$(nproc)" -E 'editor|app')
fi
