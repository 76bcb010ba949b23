#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs one or all of them.
#   tools/fuzz.sh [TARGET|all] [SECONDS]      (default: all, 20 s each)
# New inputs go to build-fuzz/corpus/TARGET (the seeds in fuzz/corpus/TARGET are only read); a crash
# is kept in build-fuzz/trovati/TARGET and fails the run. FUZZ_JOBS runs that many targets at once;
# FUZZ_ESECUZIONI stops a target after that many executions, if it gets there first; FUZZ_TIMEOUT is the
# seconds one input may take (10; more on a loaded machine, where a slow input is not a hang). The fuzzing build
# lowers every read limit to 256 KiB, so -max_len (4 KiB past it) reaches each reader's size check.
set -euo pipefail
cd "$(dirname "$0")/.."
bersaglio="${1:-all}"
secondi="${2:-20}"
bash tools/install-deps.sh
export CC=clang-14 CXX=clang++-14
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSESTINA_FUZZ=ON -DSESTINA_TESTS=OFF \
    -DSESTINA_BENCH=OFF -DSESTINA_PROGRAMMI=OFF -DSESTINA_WERROR=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)"

if [ "$bersaglio" = "all" ]; then
    bersagli=$(cd fuzz && ls fuzz_*.cpp | sed 's/^fuzz_//; s/\.cpp$//')
else
    bersagli="$bersaglio"
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8

esegui() {
    local nome="$1" secondi="$2"
    local corpus="build-fuzz/corpus/$nome" trovati="build-fuzz/trovati/$nome" log="build-fuzz/log/$nome.txt"
    mkdir -p "$corpus" "$trovati" build-fuzz/log
    local opzioni=(-max_total_time="$secondi" -runs="${FUZZ_ESECUZIONI:--1}" -rss_limit_mb=2048 -timeout="${FUZZ_TIMEOUT:-10}" -max_len=266240
        -artifact_prefix="$trovati/" -print_final_stats=1)
    if [ -f "fuzz/dizionari/$nome.dict" ]; then
        opzioni+=(-dict="fuzz/dizionari/$nome.dict")
    fi
    if ./build-fuzz/fuzz/"fuzz_$nome" "${opzioni[@]}" "$corpus" "fuzz/corpus/$nome" >"$log" 2>&1; then
        local esecuzioni copertura
        esecuzioni=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
        copertura=$(grep -o 'cov: [0-9]*' "$log" | tail -n1 | grep -o '[0-9]*' || echo '?')
        printf '%-18s esecuzioni %-10s copertura %-6s corpus %s\n' "$nome" "$esecuzioni" "$copertura" \
            "$(ls "$corpus" | wc -l)"
    else
        echo "$nome: TROVATO un errore (vedi $log e $trovati)" >&2
        tail -n 40 "$log" >&2
        return 1
    fi
}
export -f esegui

printf '%s\n' $bersagli | xargs -P "${FUZZ_JOBS:-$(nproc)}" -I{} bash -c "esegui {} $secondi"
