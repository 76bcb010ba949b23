#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are there.
set -euo pipefail

pacchetti=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libgl-dev qt6-translations-l10n
    libbenchmark-dev
    xvfb xauth fonts-liberation2
    nginx-light
    cups printer-driver-cups-pdf poppler-utils
    lintian
    clang-14 libclang-rt-14-dev clang-tidy-14 clang-format-14
    xdotool x11-apps netpbm
)

mancanti=()
for p in "${pacchetti[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        mancanti+=("$p")
    fi
done

if [ ${#mancanti[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${mancanti[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
