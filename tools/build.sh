#!/usr/bin/env bash
# Configures and builds the Release tree in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
extra=()
if [ "${CI:-}" = "true" ]; then
    extra+=(-DSESTINA_WERROR=ON)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${extra[@]}" "$@"
cmake --build build -j "$(nproc)"
