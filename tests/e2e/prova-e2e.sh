#!/usr/bin/env bash
# The program under a real X server, driven by a real pointer and keyboard: numbers picked on the grid,
# the System developed and saved through the file dialog, the program closed and started again, the file
# opened through the dialog and saved again. Both files must hold what the command-line tool develops
# from the same numbers. A screenshot of the developed window is kept in ARTEFATTI.
#   prova-e2e.sh PROGRAMMA CLI ARTEFATTI
set -euo pipefail
programma="$1" cli="$2" artefatti="$3"
mkdir -p "$artefatti"
lavoro=$(mktemp -d)
schermo=""
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$lavoro"' EXIT

fallisci() {
    echo "prova-e2e: $*" >&2
    xwd -root -silent 2>/dev/null | xwdtopnm 2>/dev/null | pnmtopng >"$artefatti/fallimento.png" 2>/dev/null || true
    exit 1
}

# A free display number: the first without a lock file.
for n in $(seq 90 130); do
    if [ ! -e "/tmp/.X$n-lock" ]; then schermo=":$n"; break; fi
done
[ -n "$schermo" ] || fallisci "nessun display libero"
Xvfb "$schermo" -screen 0 1280x1024x24 -nolisten tcp >"$lavoro/xvfb.log" 2>&1 &
export DISPLAY="$schermo"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done 2>/dev/null || true

export XDG_DATA_HOME="$lavoro/dati" HOME="$lavoro/casa" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
mkdir -p "$XDG_DATA_HOME/Sestinaplan" "$HOME"
# No server answers here: the version check gives up at once instead of waiting.
printf '[Impostazioni]\r\nindirizzo_server=http://127.0.0.1:9\r\n' >"$XDG_DATA_HOME/Sestinaplan/impostazioni.cfg"
export SESTINAPLAN_MAPPA_WIDGET="$lavoro/mappa.txt"

avvia() {
    rm -f "$SESTINAPLAN_MAPPA_WIDGET"
    "$programma" >>"$lavoro/programma.log" 2>&1 &
    pid=$!
    for _ in $(seq 300); do
        [ -s "$SESTINAPLAN_MAPPA_WIDGET" ] && return 0
        kill -0 "$pid" 2>/dev/null || fallisci "il programma e' uscito all'avvio: $(cat "$lavoro/programma.log")"
        sleep 0.1
    done
    fallisci "la finestra principale non si e' mostrata"
}

# The centre of a widget of the map.
centro() {
    awk -v nome="$1" '$1 == nome { printf "%d %d\n", $2 + $4 / 2, $3 + $5 / 2; trovato = 1 } END { exit !trovato }' \
        "$SESTINAPLAN_MAPPA_WIDGET" || fallisci "nessun widget $1 nella mappa"
}

clic() {
    read -r x y < <(centro "$1")
    xdotool mousemove --sync "$x" "$y" click 1
    sleep 0.2
}

# Waits until at least QUANTE visible windows have a title matching REGEX (the program may be slow under the
# sanitizers and a loaded machine: no fixed pause is long enough).
aspetta_finestra() {
    local regex="$1" quante="${2:-1}"
    for _ in $(seq 300); do
        [ "$(xdotool search --onlyvisible --name "$regex" 2>/dev/null | wc -l)" -ge "$quante" ] && { sleep 0.5; return 0; }
        sleep 0.1
    done
    fallisci "nessuna finestra \"$regex\""
}

# The file dialog that the active menu item opens (Qt's own, titled by Qt): its name field has the focus.
nel_dialogo() {
    aspetta_finestra '^(Save As|Open|Salva con nome|Salva come|Apri)$'
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Return
}

aspetta_file() {
    for _ in $(seq 100); do [ -s "$1" ] && return 0; sleep 0.1; done
    fallisci "$1 non e' stato scritto"
}

voce_file() {
    clic labnumeri
    xdotool key --clearmodifiers alt+f
    sleep 0.5
    xdotool key "$1"
}

esci() {
    voce_file u
    # "Uscire dall'applicazione?" carries the main window's title; Yes is the default button.
    aspetta_finestra '^Sestinaplan - Ver\.' 2
    xdotool key Return
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
    fallisci "il programma non si e' chiuso"
}

numeri=(3 7 12 25 38 44 61 90)
avvia
for n in "${numeri[@]}"; do clic "grnum_$((n - 1))"; done
clic cmdCalcolo
# The development ends with the box of the time it took, titled with the program's name; Return closes it.
aspetta_finestra '^Sestinaplan$'
xdotool key Return
sleep 1
xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$artefatti/sviluppato.png"
voce_file c
nel_dialogo "$lavoro/primo.sec"
aspetta_file "$lavoro/primo.sec"
esci

avvia
voce_file a
nel_dialogo "$lavoro/primo.sec"
sleep 2
voce_file c
nel_dialogo "$lavoro/secondo.sec"
aspetta_file "$lavoro/secondo.sec"
esci

elenco=$(IFS=,; echo "${numeri[*]}")
"$cli" sviluppa --numeri "$elenco" -o "$lavoro/atteso.sec" >/dev/null 2>&1
"$cli" apri "$lavoro/atteso.sec" >"$lavoro/atteso.txt"
for f in primo secondo; do
    "$cli" apri "$lavoro/$f.sec" >"$lavoro/$f.txt" || fallisci "$f.sec non si apre"
    diff -u "$lavoro/atteso.txt" "$lavoro/$f.txt" || fallisci "$f.sec non contiene il sistema atteso"
done
head -n 1 "$lavoro/primo.txt"
echo "prova-e2e: riuscita"
