#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs every test headless.
# With --sanitize: the same in build-sanitize/, with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, any finding fatal. Under CI (CI=true) the sanitized run follows the plain
# one, then every fuzz target for 20 s and the lint of every source file.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
if [ "${1:-}" = "--sanitize" ]; then
    # clang builds this tree in a third of gcc's time here, and its sanitizers are the fuzzers' own.
    export CC=clang-14 CXX=clang++-14
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSESTINA_SANITIZE=ON \
        -DSESTINA_BENCH=OFF -DSESTINA_WERROR=ON
    cmake --build build-sanitize -j "$(nproc)"
    # Leaks count too; tools/lsan.supp names the few that Qt and the system libraries keep on purpose.
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
    if [ "${CI:-}" = "true" ]; then
        bash tools/fuzz.sh all 20
        bash tools/lint.sh
    fi
    exit 0
fi
bash tools/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"
if [ "${CI:-}" = "true" ]; then
    exec bash "$0" --sanitize
fi
