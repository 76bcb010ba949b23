#!/usr/bin/env bash
# The program under a real X server, driven by a real pointer and keyboard: numbers picked on the grid,
# the System developed and saved through the file dialog, the program closed and started again, the file
# opened through the dialog and saved again. Both files must hold what the command-line tool develops
# from the same numbers. A screenshot of the developed window is kept in ARTEFATTI.
#   prova-e2e.sh PROGRAMMA CLI ARTEFATTI
# No fixed pauses: every step waits for what it needs to see (a window, its focus, a widget redrawn, a file,
# the program gone), with a generous limit, as the program may run under the sanitizers on a loaded machine.
set -euo pipefail
programma="$1" cli="$2" artefatti="$3"
mkdir -p "$artefatti"
lavoro=$(mktemp -d)
pid=""
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$lavoro"' EXIT
limite=60

fallisci() {
    echo "prova-e2e: $*" >&2
    xwd -root -silent 2>/dev/null | xwdtopnm 2>/dev/null | pnmtopng >"$artefatti/fallimento.png" 2>/dev/null || true
    exit 1
}

# aspetta MOTIVO COMANDO...: runs COMMAND every tenth of a second until it succeeds; fails with MOTIVO after
# the limit, or at once if the program has died meanwhile.
aspetta() {
    local motivo="$1" fine=$((SECONDS + limite))
    shift
    until "$@"; do
        if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then
            fallisci "il programma e' uscito ($motivo): $(cat "$lavoro/programma.log")"
        fi
        [ "$SECONDS" -lt "$fine" ] || fallisci "$motivo"
        sleep 0.1
    done
}

# Xvfb picks a free display itself and writes its number once it takes connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$lavoro/display" >"$lavoro/xvfb.log" 2>&1 &
xvfb=$!
x_pronto() {
    grep -q '^[0-9]' "$lavoro/display" && return 0
    kill -0 "$xvfb" 2>/dev/null || fallisci "Xvfb non e' partito: $(cat "$lavoro/xvfb.log")"
    return 1
}
aspetta "Xvfb non risponde" x_pronto
DISPLAY=":$(head -n 1 "$lavoro/display")"
export DISPLAY

export XDG_DATA_HOME="$lavoro/dati" HOME="$lavoro/casa" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
mkdir -p "$XDG_DATA_HOME/Sestinaplan" "$HOME"
# No server answers here: the version check gives up at once instead of waiting.
printf '[Impostazioni]\r\nindirizzo_server=http://127.0.0.1:9\r\n' >"$XDG_DATA_HOME/Sestinaplan/impostazioni.cfg"
export SESTINAPLAN_MAPPA_WIDGET="$lavoro/mappa.txt"

# The visible windows whose title matches REGEX.
finestre() { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; }
almeno() { [ "$(finestre "$1" | wc -l)" -ge "$2" ]; }
nessuna() { [ -z "$(finestre "$1")" ]; }
# The keyboard goes to one of the windows whose title matches REGEX.
a_fuoco() { finestre "$1" | grep -qx "$(xdotool getwindowfocus -f 2>/dev/null)"; }
uscito() { ! kill -0 "$pid" 2>/dev/null; }
# How many windows of the program show.
quante_sue() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
piu_di() { [ "$(quante_sue)" -gt "$1" ]; }

avvia() {
    rm -f "$SESTINAPLAN_MAPPA_WIDGET"
    "$programma" >>"$lavoro/programma.log" 2>&1 &
    pid=$!
    # The program writes the map once its main window has settled on the screen.
    aspetta "la finestra principale non si e' mostrata" test -s "$SESTINAPLAN_MAPPA_WIDGET"
}

# The rectangle of a widget of the map: X Y WIDTH HEIGHT.
rettangolo() {
    awk -v nome="$1" '$1 == nome { print $2, $3, $4, $5; trovato = 1 } END { exit !trovato }' \
        "$SESTINAPLAN_MAPPA_WIDGET" || fallisci "nessun widget $1 nella mappa"
}

# A fingerprint of what a widget shows on the screen now.
aspetto() {
    local x y l a
    read -r x y l a < <(rettangolo "$1")
    xwd -root -silent | xwdtopnm 2>/dev/null | pnmcut "$x" "$y" "$l" "$a" | md5sum
}
# WIDGET no longer shows what PRIMA printed; what it shows now is left in visto.
cambiato() {
    visto=$(aspetto "$1")
    [ "$visto" != "$2" ]
}

# The server takes the move before the click; --sync would wait for a move that never comes when the pointer
# is there already.
clic() {
    local x y l a
    read -r x y l a < <(rettangolo "$1")
    xdotool mousemove $((x + l / 2)) $((y + a / 2)) click 1
}

# A number of the grid: the count of numbers in play must change with it (visto: what it showed before).
clic_numero() {
    local prima="$visto"
    clic "grnum_$(($1 - 1))"
    aspetta "il clic sul numero $1 non e' arrivato" cambiato labnumeri "$prima"
}

# The file dialog that the active menu item opens (Qt's own, titled by Qt): its name field has the focus.
nel_dialogo() {
    local titolo='^(Save As|Open|Salva con nome|Salva come|Apri)$'
    aspetta "nessun dialogo dei file" a_fuoco "$titolo"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Return
    aspetta "il dialogo dei file non si e' chiuso" nessuna "$titolo"
}

# The File menu's item with the accelerator LETTERA, from the main window.
voce_file() {
    local menu
    # Without a window manager a click is what gives a window the keyboard.
    clic labnumeri
    aspetta "la finestra principale non ha la tastiera" a_fuoco '^Sestinaplan - Ver\.'
    menu=$(quante_sue)
    xdotool key --clearmodifiers alt+f
    # The menu is a window of its own (titled with the program's name): the keyboard goes to it once it shows.
    aspetta "il menu File non si e' aperto" piu_di "$menu"
    xdotool key "$1"
}

esci() {
    voce_file u
    # "Uscire dall'applicazione?" carries the main window's title; Yes is the default button.
    aspetta "nessuna domanda all'uscita" almeno '^Sestinaplan - Ver\.' 2
    aspetta "la domanda all'uscita non ha la tastiera" a_fuoco '^Sestinaplan - Ver\.'
    xdotool key Return
    aspetta "il programma non si e' chiuso" uscito
    # Under the sanitizers a finding at exit shows only in the status.
    wait "$pid" || fallisci "il programma e' uscito con $?: $(cat "$lavoro/programma.log")"
    pid=""
}

# Two captures of the whole screen in a row are the same.
fermo() {
    local ora
    ora=$(xwd -root -silent | md5sum)
    [ "$ora" = "${ultimo:-}" ] && return 0
    ultimo=$ora
    return 1
}

numeri=(3 7 12 25 38 44 61 90)
avvia
visto=$(aspetto labnumeri)
for n in "${numeri[@]}"; do clic_numero "$n"; done
clic cmdCalcolo
# The development ends with the box of the time it took, titled with the program's name; Return closes it.
aspetta "lo sviluppo non e' finito" a_fuoco '^Sestinaplan$'
xdotool key Return
aspetta "il riquadro del tempo non si e' chiuso" nessuna '^Sestinaplan$'
aspetta "lo schermo non si ferma" fermo
xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$artefatti/sviluppato.png"
voce_file c
nel_dialogo "$lavoro/primo.sec"
aspetta "$lavoro/primo.sec non e' stato scritto" test -s "$lavoro/primo.sec"
esci

avvia
vuoto=$(aspetto labnumeri)
voce_file a
nel_dialogo "$lavoro/primo.sec"
# The count of numbers shows once the whole System is in.
aspetta "il sistema non si e' aperto" cambiato labnumeri "$vuoto"
voce_file c
nel_dialogo "$lavoro/secondo.sec"
aspetta "$lavoro/secondo.sec non e' stato scritto" test -s "$lavoro/secondo.sec"
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
