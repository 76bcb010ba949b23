#!/usr/bin/env bash
# Installs what is missing, builds in Release and develops a sample System.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
./build/app/sestinaplan-cli sviluppa --numeri 1-16 --somma 40-70 --pari 2,3,4 --ridotto 2 -o build/esempio.sec
./build/app/sestinaplan-cli apri build/esempio.sec | head -n 5
