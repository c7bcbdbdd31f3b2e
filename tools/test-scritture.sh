#!/usr/bin/env bash
# Never the wrong file: every tool that writes refuses the record in use
# (the same file under any name, its -wal and -shm), a device and a folder,
# with status 1 and nothing written; and on a computer where no pupil has
# been made yet the listings answer with nobody.
# Usage: test-scritture.sh mevario-registro mevario-formula mevario-esercizi
set -u
registro="$1" formula="$2" esercizi="$3"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp" XDG_DATA_HOME="$tmp/dati" XDG_CONFIG_HOME="$tmp/config" TZ=UTC QT_QPA_PLATFORM=offscreen
unset MEVARIO_DB
predefinito="$XDG_DATA_HOME/Mevario/registro.sqlite"

# No pupil made on this computer: nobody, status 0, nothing made.
for cmd in "alunni" "storico Anna" "ripasso Anna" "classe 2B --csv $tmp/2b.csv"; do
    # shellcheck disable=SC2086
    out=$("$registro" $cmd 2>"$tmp/err"); s=$?
    [ $s -eq 0 ] || male "no record yet, '$cmd': status $s $(cat "$tmp/err")"
    [ -z "$out" ] || male "no record yet, '$cmd': printed '$out'"
done
[ ! -e "$predefinito" ] && [ ! -e "$tmp/2b.csv" ] || male "a listing made a file"
"$registro" --db "$tmp/manca.sqlite" alunni 2>/dev/null
[ $? -eq 1 ] || male "a --db file that is not there is no longer an error"

cat >"$tmp/anna.json" <<JSON
{"formato": "mevario-registro", "versione": 1, "alunno": {"nome": "Anna Rossi", "classe": "2B"},
 "risposte": [{"uuid": "0b0b6f1e-8a51-4c1a-9a53-0d8d5d1c0002", "argomento": "somma-monomi",
   "esercizio": "3*x+2*x", "risposta": "5x", "giusta": true, "diagnosi": "", "errore": "", "ripassa": "",
   "soluzione": false, "secondi": 6, "quando": "2026-12-01T09:01:00.000Z", "giorno": "2026-12-01", "computer": "aula-3"}]}
JSON
"$registro" importa "$tmp/anna.json" >/dev/null || male "importa: status $?"
db="$tmp/r.sqlite"
"$registro" --db "$db" importa "$tmp/anna.json" >/dev/null || male "importa --db: status $?"
# A program holding the record open keeps its -wal and -shm there.
touch "$db-wal" "$db-shm" "$predefinito-wal" "$predefinito-shm"
ln -s "$db" "$tmp/collegamento"
mkdir "$tmp/cartella"
somma() { cat "$db" "$predefinito" | md5sum; }
prima=$(somma)

rifiuta() { # NAME COMMAND...
    local nome="$1"
    shift
    out=$("$@" 2>"$tmp/err"); s=$?
    [ $s -eq 1 ] || male "$nome: status $s, expected 1"
    [ -z "$out" ] || male "$nome: printed '$out'"
    grep -q 'Nulla è stato scritto' "$tmp/err" || male "$nome: message: $(cat "$tmp/err")"
}
for f in "$db" "$tmp/./r.sqlite" "$db-wal" "$db-shm" "$tmp/collegamento"; do
    rifiuta "classe --csv $f" "$registro" --db "$db" classe 2B --csv "$f"
    rifiuta "classe --ods $f" "$registro" --db "$db" classe 2B --ods "$f"
done
grep -q 'registro degli alunni in uso' "$tmp/err" || male "the message does not say it is the record"
rifiuta "esporta onto the record's log" "$registro" --db "$db" esporta "Anna Rossi" "$db-wal"
rifiuta "classe --csv a device" "$registro" --db "$db" classe 2B --csv /dev/null
grep -q 'non è un file normale' "$tmp/err" || male "the message does not say it is a device"
[ -c /dev/null ] || male "/dev/null is no longer a device"
rifiuta "classe --csv a folder" "$registro" --db "$db" classe 2B --csv "$tmp/cartella"
grep -q 'è una cartella' "$tmp/err" || male "the message does not say it is a folder"
rifiuta "classe without --db onto the default record" "$registro" classe 2B --csv "$predefinito"
rifiuta "formula -o the default record" "$formula" -o "$predefinito" "x+1"
rifiuta "formula -o the record's -shm" "$formula" -o "$predefinito-shm" "x+1"
rifiuta "formula -o a device" "$formula" -o /dev/null "x+1"
rm -f "$predefinito-shm"
rifiuta "formula -o the record's missing -shm" "$formula" -o "$predefinito-shm" "x+1"
[ ! -e "$predefinito-shm" ] || male "formula -o wrote the record's -shm"
out=$("$esercizi" --pdf "$predefinito-shm" somma-monomi 2>"$tmp/err"); s=$?
[ $s -eq 1 ] && grep -q 'registro degli alunni in uso' "$tmp/err" || male "esercizi --pdf onto the record's -shm: $s $(cat "$tmp/err")"
[ ! -e "$predefinito-shm" ] || male "esercizi --pdf wrote the record's -shm"
[ "$(somma)" = "$prima" ] || male "a record changed"
[ -z "$(ls -A "$tmp/cartella")" ] || male "something was written in the folder"
ls -A "$tmp" | grep -q '\.tmp$' && male "a temporary file was left"

# A strict importer: status 2, nothing written.
sed 's/"nome": "Anna Rossi"/"nome": "Anna Rossi", "nome": "Bruno"/' "$tmp/anna.json" >"$tmp/doppia.json"
sed 's/"Anna Rossi"/"Bruno"/' "$tmp/anna.json" >"$tmp/altrui.json"
sed 's/"classe": "2B"}/"classe": "2B", "pin": {"sale": "AAAAAAAAAAAAAAAAAAAAAA==", "chiave": "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=", "iterazioni": 100000000}}/' \
    "$tmp/anna.json" >"$tmp/lenta.json"
for f in "doppia:due volte" "altrui:un altro alunno" "lenta:iterazioni"; do
    "$registro" --db "$db" importa "$tmp/${f%%:*}.json" >/dev/null 2>"$tmp/err"; s=$?
    [ $s -eq 2 ] && grep -q 'Nulla è stato scritto' "$tmp/err" && grep -q "${f#*:}" "$tmp/err" ||
        male "importa ${f%%:*}: status $s $(cat "$tmp/err")"
done
[ "$(somma)" = "$prima" ] || male "a refused import changed the record"

# Through a link to a file of the user's, the file is written and the link kept.
echo vecchio >"$tmp/vero.csv"
ln -s vero.csv "$tmp/link.csv"
"$registro" --db "$db" classe 2B --csv "$tmp/link.csv" >/dev/null || male "classe through a link: status $?"
[ -L "$tmp/link.csv" ] && grep -q '^Anna Rossi,' "$tmp/vero.csv" || male "classe through a link: the link or the file"

exit $fallito
