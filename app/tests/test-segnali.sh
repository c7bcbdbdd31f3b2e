#!/usr/bin/env bash
# A run ended from outside (SIGTERM when the session logs out, SIGHUP when
# the terminal goes away) ends as by "Esci": status 0 and the record written
# whole into its file, so that a teacher who copies only registro.sqlite
# carries every pupil.
# Usage: test-segnali.sh mevario mevario-registro
set -u
mevario="$1" registro="$2"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }
tmp=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$tmp"' EXIT
export HOME="$tmp" XDG_DATA_HOME="$tmp/dati" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run" \
       QT_QPA_PLATFORM=offscreen TZ=UTC
mkdir -m 700 "$tmp/run"
unset MEVARIO_DB
db="$XDG_DATA_HOME/Mevario/registro.sqlite"

for segnale in TERM HUP; do
    nome="Alunno $segnale"
    "$mevario" --alunno "$nome" >"$tmp/out" 2>&1 &
    pid=$!
    # Until the pupil is in the record (the program made it).
    for _ in $(seq 100); do
        "$registro" alunni 2>/dev/null | grep -q "^$nome"$'\t' && break
        sleep 0.1
    done
    "$registro" alunni 2>/dev/null | grep -q "^$nome"$'\t' || male "$segnale: the pupil was never made: $(cat "$tmp/out")"
    kill -"$segnale" "$pid"
    wait "$pid"; s=$?
    pid=
    [ $s -eq 0 ] || male "SIG$segnale: status $s, expected 0 as by Esci"
    [ ! -s "$db-wal" ] || male "SIG$segnale: the answers were left in $db-wal ($(stat -c %s "$db-wal") bytes)"
    cp "$db" "$tmp/copia.sqlite"
    "$registro" --db "$tmp/copia.sqlite" alunni | grep -q "^$nome"$'\t' ||
        male "SIG$segnale: the copy of registro.sqlite alone does not hold the pupil"
    rm -f "$tmp/copia.sqlite"
done
exit $fallito
