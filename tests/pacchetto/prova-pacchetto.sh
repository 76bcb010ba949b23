#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into a scratch root and starts both
# programs from there, with a data folder of their own and no server to reach.
set -euo pipefail
build="$1"
radice="$(mktemp -d)"
trap 'rm -rf "$radice"' EXIT
(cd "$build" && cpack -G DEB -B "$radice/cpack" > "$radice/cpack.log") || { cat "$radice/cpack.log"; exit 1; }
deb="$radice/cpack/sestinaplan_1.0.0_amd64.deb"
dpkg-deb -f "$deb" Depends | grep -q "fonts-liberation2"
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
SESTINAPLAN_MISURA_AVVIO=1 timeout 60 "$radice/root/usr/bin/sestinaplan"
matrici=$(ls "$XDG_DATA_HOME/Sestinaplan/matrici"/*.mspl | wc -l)
# 7 to 40 numbers for 2 and 3 if 6, 7 to 30 for 4 and 5 if 6.
[ "$matrici" -eq 116 ] || { echo "matrices copied at start-up: $matrici"; exit 1; }
archivio=$(stat -c %s "$XDG_DATA_HOME/Sestinaplan/archivio/sestinaplan.dat")
[ "$archivio" -eq $((2855 * 20)) ] || { echo "archive at start-up: $archivio bytes"; exit 1; }
estrazioni=$("$cli" archivio elenca | wc -l)
[ "$estrazioni" -eq 2855 ] || { echo "archivio elenca: $estrazioni draws"; exit 1; }
echo "package $(stat -c %s "$deb") bytes: both programs run from it"
