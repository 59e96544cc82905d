#!/usr/bin/env bash
# Installs everything Tarvena needs to build, run and test on Debian 12 (run as root).
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config
    zlib1g-dev libdeflate-dev libgtest-dev libgmock-dev libbenchmark-dev libssl-dev nlohmann-json3-dev
    libgdal-dev libproj-dev
    postgresql postgresql-15-postgis-3
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n qt6-l10n-tools libgl-dev fonts-dejavu-core
    python3 python3-xlrd python3-olefile libreoffice-calc-nogui
    xvfb xauth xdotool
    poppler-utils
    dpkg-dev file desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
    clang libclang-rt-14-dev
    locales
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
# A Russian locale, so tests can show that number and date texts ignore the machine's locale.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU.utf8$'; then
    sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
