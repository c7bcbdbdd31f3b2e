#!/bin/sh
# "Chi sei?" at a lab's computer whose record is on a school's server (a
# private PostgreSQL cluster in a temporary folder), with real input on an
# X11 desktop (Xvfb, openbox, xdotool): at first nobody and no class is
# chosen and Enter does nothing; the class typed, the list holds only its
# pupils, none selected, and Enter still does nothing; a pupil chosen with
# the arrow and Enter goes on. Started again, the class is preselected.
# PROVA_FOTO=FOLDER keeps screenshots of the window there.
# Usage: prova-chisei-x11.sh MEVARIO MEVARIO-REGISTRO
# Exits 77 (skipped) when a tool or PostgreSQL is missing.
set -u
MEVARIO=$1
REGISTRO=$2
PG=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$PG" ] || [ ! -x "$PG/initdb" ]; then
    echo "prova saltata: manca PostgreSQL (pacchetto postgresql)"; exit 77
fi
SCHERMO=1366x768 STRUMENTI="xwininfo"
[ -n "${PROVA_FOTO:-}" ] && STRUMENTI="xwininfo import"
. "$(dirname "$0")/desktop-x11.sh"

# The server: as the user nobody when run as root (the server refuses root).
come_server() { if [ "$(id -u)" = 0 ]; then setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; else "$@"; fi; }
S=$T/pg; mkdir -p "$S"; [ "$(id -u)" = 0 ] && chown 65534:65534 "$S" && chmod 755 "$T"
PORTA=$(( ($$ % 20000) + 30000 ))
come_server "$PG/initdb" -D "$S/dati" -U mevario --auth-local=trust -E UTF8 --no-locale -N >"$T/initdb.log" 2>&1 ||
    { cat "$T/initdb.log"; male "initdb"; exit 1; }
come_server "$PG/pg_ctl" -D "$S/dati" -l "$S/log" -w -o "-p $PORTA -k $S -c listen_addresses=''" start >/dev/null ||
    { cat "$S/log"; male "il server non parte"; exit 1; }
ferma_server() { come_server "$PG/pg_ctl" -D "$S/dati" -m immediate -w stop >/dev/null 2>&1; }
trap 'ferma_server; fine' EXIT
"$PG/createdb" -h "$S" -p $PORTA -U mevario mevario
URL="postgresql://mevario@/mevario?host=$S&port=$PORTA"
"$REGISTRO" --db "$URL" prepara >/dev/null || { male "prepara"; exit 1; }
for a in "Giulia Bianchi:3A" "Marco Neri:3A" "Giulia Bianchi:2B"; do
    printf '{"formato":"mevario-registro","versione":1,"alunno":{"nome":"%s","classe":"%s"},"risposte":[]}' \
        "${a%%:*}" "${a##*:}" >"$T/a.json"
    "$REGISTRO" --db "$URL" importa "$T/a.json" >/dev/null 2>&1 || { male "importa $a"; exit 1; }
done

foto() { [ -n "${PROVA_FOTO:-}" ] && import -window "$1" "$PROVA_FOTO/$2.png"; }

"$MEVARIO" --db "$URL" >"$T/mevario.log" 2>&1 &
APP=$!
CHI=$(finestra "Chi sei\?") || { male "«Chi sei?» non compare"; cat "$T/mevario.log"; exit 1; }
sleep 0.8
xdotool windowactivate --sync "$CHI" 2>/dev/null
foto "$CHI" chisei-nessuno
xdotool key Return
sleep 0.8
if xdotool search --onlyvisible --name "^Mevario — " >/dev/null 2>&1; then
    male "Invio senza nessuno scelto entra come qualcuno"
else
    finestra "Chi sei\?" >/dev/null && bene "Invio senza classe né alunno scelti non fa nulla"
fi
xdotool type --delay 80 "3"   # the class, from the keyboard
sleep 0.5
xdotool key Return
sleep 0.8
if xdotool search --onlyvisible --name "^Mevario — " >/dev/null 2>&1; then
    male "Invio con la classe ma senza alunno scelto entra come qualcuno"
else
    bene "Invio con la classe scelta ma nessun alunno non fa nulla"
fi
foto "$CHI" chisei-classe
xdotool key Down Down Return
finestra "Mevario — Marco Neri \(3A\)" >/dev/null && bene "due frecce e Invio scelgono Marco Neri, il secondo della 3A" ||
    male "due frecce e Invio non scelgono il secondo alunno della 3A"
kill "$APP"; wait "$APP" 2>/dev/null; APP=

# The next pupil at this computer: the class is there, no pupil chosen.
"$MEVARIO" --db "$URL" >"$T/mevario2.log" 2>&1 &
APP=$!
CHI=$(finestra "Chi sei\?") || { male "«Chi sei?» non compare al secondo avvio"; exit 1; }
sleep 0.8
xdotool windowactivate --sync "$CHI" 2>/dev/null
foto "$CHI" chisei-dopo
xdotool key Return
sleep 0.8
xdotool search --onlyvisible --name "^Mevario — " >/dev/null 2>&1 && male "al secondo avvio Invio entra come l'alunno di prima" ||
    bene "al secondo avvio nessun alunno è scelto"
xdotool key Down Return
finestra "Mevario — Giulia Bianchi \(3A\)" >/dev/null && bene "la classe 3A è già scelta al secondo avvio; una freccia sceglie il primo nome" ||
    male "la classe scelta l'ultima volta non è preselezionata"
kill "$APP"; wait "$APP" 2>/dev/null; APP=

[ $errori -eq 0 ] || { echo "--- mevario:"; cat "$T/mevario.log"; exit 1; }
