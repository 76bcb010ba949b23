#!/usr/bin/env bash
# clang-format and clang-tidy (the checks of .clang-format and .clang-tidy) over every source file;
# any finding fails. Uses build/compile_commands.json, configuring build/ when it is missing.
#   tools/lint.sh [--librerie]   (--librerie: clang-tidy only below ui/ and the command-line tool)
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
if [ ! -f build/compile_commands.json ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
# The moc and resource files are generated: their headers must exist for clang-tidy to parse.
cmake --build build --target sestina_model_autogen sestina_ui_autogen >/dev/null 2>&1 || true

cartelle=(model storage results matrix print app fuzz ui tests bench)
mapfile -t tutti < <(git ls-files -- "${cartelle[@]/%//*.cpp}" "${cartelle[@]/%//*.h}")
echo "clang-format: ${#tutti[@]} file"
clang-format-14 --dry-run --Werror "${tutti[@]}"

if [ "${1:-}" = "--librerie" ]; then
    cartelle=(model storage results matrix print app/cli)
fi
mapfile -t sorgenti < <(git ls-files -- "${cartelle[@]/%//*.cpp}" | grep -v '^fuzz/')
echo "clang-tidy: ${#sorgenti[@]} file"
run-clang-tidy-14 -quiet -p build -j "$(nproc)" "${sorgenti[@]/#/$PWD/}" >build/clang-tidy.log 2>&1 || true
if grep -E '(warning|error): ' build/clang-tidy.log | grep -v 'warnings generated' | sort -u | grep .; then
    echo "clang-tidy: findings above (whole log in build/clang-tidy.log)" >&2
    exit 1
fi
echo "clang-tidy: nessun rilievo"
