#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
if [ -x build/bin/tarvena ]; then
    exec build/bin/tarvena "${@:-$PWD/build/bin/samples/Северо-Тарвенская.psp}"
fi
exec build/bin/tarvena-cli --version
