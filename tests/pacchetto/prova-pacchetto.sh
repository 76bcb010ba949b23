#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into a scratch root and starts both
# programs from there, with a data folder of their own and no server to reach.
set -euo pipefail
build="$1"
radice="$(mktemp -d)"
trap 'rm -rf "$radice"' EXIT
(cd "$build" && cpack -G DEB -B "$radice/cpack" > "$radice/cpack.log") || { cat "$radice/cpack.log"; exit 1; }
deb="$radice/cpack/sestinaplan_1.0.0_amd64.deb"
# The packages named in Depends, without versions or alternatives.
dipendenze=$(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/:any//; s/[[:space:]]//g' | sort -u)
dipende() { grep -qx "$1" <<< "$dipendenze"; }
for p in fonts-liberation2 libqt6svg6 qt6-translations-l10n; do
    dipende "$p" || { echo "Depends lacks $p: $(dpkg-deb -f "$deb" Depends)"; exit 1; }
done
if command -v lintian > /dev/null; then
    lintian --fail-on error "$deb" 2> /dev/null || { echo "lintian reports errors"; exit 1; }
fi
dpkg-deb -x "$deb" "$radice/root"

export XDG_DATA_HOME="$radice/dati" TMPDIR="$radice" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_DATA_HOME/Sestinaplan"
printf '[Impostazioni]\r\nindirizzo_server=http://127.0.0.1:9\r\n' > "$XDG_DATA_HOME/Sestinaplan/impostazioni.cfg"

cli="$radice/root/usr/bin/sestinaplan-cli"
sviluppo=$("$cli" sviluppa --numeri 1-10 -o "$radice/dieci.sec")
[[ "$sviluppo" == 210$'\t'* ]] || { echo "sviluppa: $sviluppo"; exit 1; }
apertura=$("$cli" apri "$radice/dieci.sec")
[[ "$apertura" == 10$'\t'210$'\t'* ]] || { echo "apri: ${apertura:0:80}"; exit 1; }

# Up to the main window and out again; on the way the shipped matrices and draws reach the user's folder.
# Every plugin the program loads must come from a package it depends on (dpkg-shlibdeps cannot see them).
QT_DEBUG_PLUGINS=1 SESTINAPLAN_MISURA_AVVIO=1 timeout 60 "$radice/root/usr/bin/sestinaplan" 2> "$radice/plugin.log"
caricati=$(grep -o '"[^"]*" loaded library' "$radice/plugin.log" | cut -d'"' -f2 | sort -u || true)
grep -q 'libqsvg' <<< "$caricati" || { echo "the SVG plugins were not loaded: $caricati"; exit 1; }
for libreria in $caricati; do
    pacchetto=$(dpkg -S "$(readlink -f "$libreria")" | cut -d: -f1)
    dipende "$pacchetto" || { echo "loads $libreria of $pacchetto, which Depends lacks"; exit 1; }
done
# And the package of Qt's own Italian texts, which the program reads at start.
qm="$(qtpaths6 --query QT_INSTALL_TRANSLATIONS)/qtbase_it.qm"
dipende "$(dpkg -S "$qm" | cut -d: -f1)" || { echo "Depends lacks the package of $qm"; exit 1; }
matrici=$(ls "$XDG_DATA_HOME/Sestinaplan/matrici"/*.mspl | wc -l)
# 7 to 40 numbers for 2 and 3 if 6, 7 to 30 for 4 and 5 if 6.
[ "$matrici" -eq 116 ] || { echo "matrices copied at start-up: $matrici"; exit 1; }
archivio=$(stat -c %s "$XDG_DATA_HOME/Sestinaplan/archivio/sestinaplan.dat")
[ "$archivio" -eq $((2855 * 20)) ] || { echo "archive at start-up: $archivio bytes"; exit 1; }
estrazioni=$("$cli" archivio elenca | wc -l)
[ "$estrazioni" -eq 2855 ] || { echo "archivio elenca: $estrazioni draws"; exit 1; }
echo "package $(stat -c %s "$deb") bytes: both programs run from it"
