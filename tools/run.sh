#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program.
# Arguments go to the program (a system file to open). Without a display,
# run it as `xvfb-run -a bash tools/run.sh`.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
exec ./build/app/sestinaplan "$@"
