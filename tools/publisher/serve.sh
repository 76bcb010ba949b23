#!/usr/bin/env bash
# Serves a publisher folder (written by `sestinaplan-cli pubblica`) with nginx on 127.0.0.1:PORT,
# in the foreground, until it is stopped (Ctrl-C or SIGTERM).
set -euo pipefail
if [ $# -ne 2 ]; then
    echo "uso: serve.sh CARTELLA PORTA" >&2
    exit 1
fi
cartella=$(realpath -e "$1")
porta=$2
case "$porta" in
    '' | *[!0-9]*) echo "serve.sh: porta non valida: $porta" >&2; exit 1 ;;
esac
nginx=$(command -v nginx || echo /usr/sbin/nginx)
[ -x "$nginx" ] || { echo "serve.sh: nginx non installato (bash tools/install-deps.sh)" >&2; exit 1; }

prefisso=$(mktemp -d "${TMPDIR:-/tmp}/sestinaplan-nginx.XXXXXX")
mkdir -p "$prefisso/tmp"
sed -e "s#@CARTELLA@#$cartella#g" -e "s#@PORTA@#$porta#g" -e "s#@PREFISSO@#$prefisso#g" \
    "$(dirname "$0")/nginx.conf.in" > "$prefisso/nginx.conf"

"$nginx" -p "$prefisso" -c "$prefisso/nginx.conf" -e "$prefisso/error.log" &
pid=$!
fine() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -rf "$prefisso"
}
trap fine EXIT
trap 'exit 0' TERM INT
wait "$pid"
