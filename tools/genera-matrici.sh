#!/usr/bin/env bash
# Regenerates the shipped matrices (matrici/, one file per v = 7..30 and t = 2..5) with the
# program's own optimiser. Budgets grow with the size of the search; a fixed seed keeps the
# result reproducible. Usage: tools/genera-matrici.sh [BUILD_DIR] [SCALA]  (SCALA multiplies budgets)
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
cli="${1:-$radice/build}/app/sestinaplan-cli"
scala="${2:-1}"
mkdir -p "$radice/matrici"
for t in 2 3 4 5; do
    for v in $(seq 7 30); do
        case $t in
            2) secondi=2 ;;
            3) secondi=$(( v <= 15 ? 5 : 15 )) ;;
            4) secondi=$(( v <= 15 ? 5 : 20 )) ;;
            5) secondi=$(( v <= 15 ? 10 : 25 )) ;;
        esac
        secondi=$(( secondi * scala ))
        file="$radice/matrici/${v}numeri-${t}se6.mspl"
        risultato=$("$cli" matrice-genera --numeri "$v" --garanzia "$t" --secondi "$secondi" --seme 1 -o "$file" 2>/dev/null)
        printf '%s\t%s\t%s\t%s\n' "$v" "$t" "$risultato" "$secondi"
    done
done
