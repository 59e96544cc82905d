#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds Tarvena, makes its Debian package and
# installs it with apt-get (run as root).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
rm -f build/tarvena_*_amd64.deb
(cd build && cpack -G DEB)
apt-get install -y "$PWD"/build/tarvena_*_amd64.deb
