#!/usr/bin/env bash
# Regenerates the shipped matrices (matrici/, one file per v = 7..40 for t = 2 and 3, 7..30 for
# t = 4 and 5) with the program's own optimiser. Budgets of work (--lavoro, about a second each here) grow with the
# size of the search; a fixed seed and work keep the result the same on any machine. A new design
# replaces a file only when it has fewer columns, so a run never makes the set worse. Usage:
#   tools/genera-matrici.sh [BUILD_DIR] [SCALA] [T...]  (SCALA multiplies budgets; T: the guarantees, default all)
# NUMERI="DA A" in the environment limits the numbers.
set -euo pipefail
NUMERI="${NUMERI:-7 40}"
radice="$(cd "$(dirname "$0")/.." && pwd)"
cli="${1:-$radice/build}/app/sestinaplan-cli"
scala="${2:-1}"
shift $(( $# > 2 ? 2 : $# ))
garanzie="${*:-2 3 4 5}"
mkdir -p "$radice/matrici"
temporanea="$(mktemp -d)"
trap 'rm -rf "$temporanea"' EXIT

colonne_del_file() { # $1 file, $2 v
    "$cli" adatta "$1" --numeri "$(seq -s, 1 "$2")" -o "$temporanea/x.sec" 2>/dev/null | cut -f1
}

for t in $garanzie; do
    massimo=$(( t <= 3 ? 40 : 30 ))
    for v in $(seq "${NUMERI% *}" "${NUMERI#* }"); do
        [ "$v" -le "$massimo" ] || continue
        seme=1
        case $t in
            2) lavoro=2 ;;
            # Past 20 numbers the split of the building blocks is the start, and most of the result.
            3) lavoro=$(( v <= 15 ? 5 : (v <= 20 ? 15 : 1) )) ;;
            4) lavoro=$(( v <= 14 ? 5 : 60 )) ;;
            5) lavoro=$(( v <= 14 ? 10 : 60 )) ;;
        esac
        # Files that a longer run made smaller than the budget above gives: the runs that made them
        # (a rerun keeps them unless it finds fewer columns).
        case $v/$t in
            25/5 | 26/5 | 27/5 | 28/5 | 29/5 | 30/5) lavoro=600 ;;
        esac
        lavoro=$(( lavoro * scala ))
        file="$radice/matrici/${v}numeri-${t}se6.mspl"
        nuovo="$temporanea/nuovo.mspl"
        risultato=$("$cli" matrice-genera --numeri "$v" --garanzia "$t" --lavoro "$lavoro" --seme "$seme" \
            -o "$nuovo" 2>/dev/null)
        colonne=${risultato%%$'\t'*}
        vecchie=$([ -f "$file" ] && colonne_del_file "$file" "$v" || true)
        if [ -z "$vecchie" ] || [ "$colonne" -lt "$vecchie" ]; then
            mv "$nuovo" "$file"
            esito=nuovo
        else
            esito=tenuto
        fi
        printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$v" "$t" "$risultato" "$lavoro" "$seme" "$esito"
    done
done
