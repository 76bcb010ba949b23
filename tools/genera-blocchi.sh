#!/usr/bin/env bash
# Regenerates the building blocks of the split construction (matrix/blocchi.txt): "t se p" designs
# on A numbers, searched with a fixed seed and work so that a rerun gives the same table. A design
# replaces the table's only when it has fewer columns. Usage:
#   tools/genera-blocchi.sh [BUILD_DIR] [SCALA] [T...]   (SCALA multiplies the work; T: the guarantees, default 2 3 4)
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
cli="${1:-$radice/build}/app/sestinaplan-cli"
scala="${2:-1}"
shift $(( $# > 2 ? 2 : $# ))
garanzie="${*:-2 3 4}"
tabella="$radice/matrix/blocchi.txt"

for t in $garanzie; do
    for p in $(seq "$t" 5); do
        # The sizes a split of up to 40 numbers can use.
        case $t/$p in
            2/2) massimo=16 ;;
            2/3 | 3/3 | 4/4) massimo=24 ;;
            2/4 | 3/5 | 4/5) massimo=29 ;;
            *) massimo=34 ;;
        esac
        for a in $(seq 7 "$massimo"); do
            lavoro=$(( (a <= 16 ? 1 : 2) * scala ))
            risultato=$("$cli" matrice-blocco --numeri "$a" --garanzia "$t" --su "$p" --lavoro "$lavoro" --seme 1 \
                --tabella "$tabella" 2>/dev/null)
            printf '%s\t%s\t%s\t%s\n' "$a" "$t" "$p" "$risultato"
        done
    done
done
