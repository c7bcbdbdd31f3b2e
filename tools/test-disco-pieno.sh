#!/usr/bin/env bash
# The tools' files on a full disk and a record on a read-only disk (run by
# disco-pieno.sh, which gives MEVARIO_DISCO_PIENO: a small empty file
# system of this test's own). A write that fails says why, with a status
# other than 0, and leaves the file that was there as it was and no
# temporary file behind; a record that cannot be written is still read.
# Usage: test-disco-pieno.sh mevario-registro mevario-formula mevario-esercizi
set -u
registro="$1" formula="$2" esercizi="$3"
disco="${MEVARIO_DISCO_PIENO:?run through disco-pieno.sh}"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp" XDG_DATA_HOME="$tmp/dati" XDG_CONFIG_HOME="$tmp/config" TZ=UTC QT_QPA_PLATFORM=offscreen
unset MEVARIO_DB
db="$tmp/registro.sqlite"
cat >"$tmp/anna.json" <<JSON
{"formato": "mevario-registro", "versione": 1, "alunno": {"nome": "Anna Rossi", "classe": "2B"},
 "risposte": [{"uuid": "0b0b6f1e-8a51-4c1a-9a53-0d8d5d1c0002", "argomento": "somma-monomi",
   "esercizio": "3*x+2*x", "risposta": "5x", "giusta": true, "diagnosi": "", "errore": "", "ripassa": "",
   "soluzione": false, "secondi": 6, "quando": "2026-12-01T09:01:00.000Z", "giorno": "2026-12-01", "computer": "aula-3"}]}
JSON
"$registro" --db "$db" importa "$tmp/anna.json" >/dev/null || male "importa: status $?"

# A record on a read-only disk: the commands that only read still read it.
mkdir "$disco/sola"
cp "$db" "$disco/sola/registro.sqlite"
mount -o remount,ro "$disco" 2>/dev/null || male "cannot remount read-only"
out=$("$registro" --db "$disco/sola/registro.sqlite" alunni 2>"$tmp/err"); s=$?
[ $s -eq 0 ] && [ "${out%%$'\t'*}" = "Anna Rossi" ] || male "read-only record, alunni: status $s, '$out' $(cat "$tmp/err")"
n=$("$registro" --db "$disco/sola/registro.sqlite" storico "Anna Rossi" 2>"$tmp/err" | wc -l)
[ "$n" = 1 ] || male "read-only record, storico: $n lines $(cat "$tmp/err")"
"$registro" --db "$disco/sola/registro.sqlite" importa "$tmp/anna.json" >/dev/null 2>"$tmp/err"
[ $? -eq 2 ] && grep -q 'Nulla è stato scritto' "$tmp/err" || male "read-only record, importa: $(cat "$tmp/err")"
mount -o remount,rw "$disco"
rm -r "$disco/sola"

# A full disk: the files already there, then nothing left.
printf 'com era\n' >"$disco/vecchio.csv"
printf 'com era\n' >"$disco/vecchio.fods"
printf 'com era\n' >"$disco/vecchio.png"
printf 'com era\n' >"$disco/vecchio.svg"
dd if=/dev/zero of="$disco/riempi" bs=1k 2>/dev/null
attesi=$(ls -A "$disco")

prova() { # NAME FILE-THAT-MUST-STAY-AS-IT-WAS|- COMMAND...
    local nome="$1" vecchio="$2"
    shift 2
    out=$("$@" 2>"$tmp/err"); s=$?
    [ $s -ne 0 ] || male "$nome: status 0 on a full disk ('$out')"
    grep -q 'il disco è pieno' "$tmp/err" || male "$nome: the message does not say why: $(cat "$tmp/err")"
    [ "$vecchio" = - ] || [ "$(cat "$disco/$vecchio")" = "com era" ] || male "$nome: the old file was touched"
    [ "$(ls -A "$disco")" = "$attesi" ] || male "$nome: files left: $(ls -A "$disco" | tr '\n' ' ')"
}
prova "classe --csv" vecchio.csv "$registro" --db "$db" classe 2B --csv "$disco/vecchio.csv"
prova "classe --ods" vecchio.fods "$registro" --db "$db" classe 2B --ods "$disco/vecchio.fods"
prova "esporta" - "$registro" --db "$db" esporta "Anna Rossi" "$disco/anna.json"
prova "formula -o png" vecchio.png "$formula" -o "$disco/vecchio.png" "x^2+1"
prova "formula -o svg" vecchio.svg "$formula" -o "$disco/vecchio.svg" "x^2+1"
prova "esercizi --pdf" - "$esercizi" --pdf "$disco/scheda.pdf" somma-monomi --seme 3

exit $fallito
