#!/usr/bin/env bash
# mevario-registro as a teacher uses it, on records in a temporary folder:
# a pupil's file imported (twice), the lists of pupils, answers and review,
# an export carried to another record; bad arguments give status 1, a
# damaged or foreign file status 2 and leave every file as it was.
set -u
tool="$1"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp" XDG_DATA_HOME="$tmp/dati" XDG_CONFIG_HOME="$tmp/config" TZ=UTC
unset MEVARIO_DB
db="$tmp/registro.sqlite"
ieri=$(date -u -d yesterday +%F)
oggi=$(date -u +%F)
tab=$'\t'

"$tool" --help | grep -q '^Uso: mevario-registro' || male "--help"

# Bad arguments: status 1, a message, nothing on standard output.
for args in "" "boh" "alunni x" "storico" "--db" "storico Anna --dal 2026-13-01" \
            "storico Anna --argomento frazioni" "ripasso Anna --dal 2026-01-01" "--colore alunni"; do
    # shellcheck disable=SC2086
    out=$("$tool" --db "$db" $args 2>"$tmp/err"); s=$?
    [ $s -eq 1 ] || male "'$args': status $s, expected 1"
    [ -z "$out" ] || male "'$args': printed '$out'"
    grep -q '^mevario-registro: ' "$tmp/err" || male "'$args': no message"
done
"$tool" --db "$db" alunni 2>"$tmp/err"; s=$?
[ $s -eq 1 ] && grep -q 'non esiste' "$tmp/err" || male "missing record: status $s"
[ ! -e "$db" ] || male "a listing made the record"

cat >"$tmp/anna.json" <<JSON
{"formato": "mevario-registro", "versione": 1,
 "alunno": {"nome": "Anna Rossi", "classe": "2B"},
 "risposte": [
  {"uuid": "0b0b6f1e-8a51-4c1a-9a53-0d8d5d1c0001", "argomento": "prodotto-monomi",
   "esercizio": "(3*x^2)*(-2*x^3)", "seme": 7, "risposta": "-6x^6", "giusta": false,
   "diagnosi": "Nel prodotto gli esponenti si sommano, non si moltiplicano.",
   "errore": "Nel prodotto gli esponenti si sommano, non si moltiplicano.", "ripassa": "",
   "soluzione": false, "secondi": 14, "quando": "${ieri}T09:00:00.000Z", "giorno": "$ieri", "computer": "aula-3"},
  {"uuid": "0b0b6f1e-8a51-4c1a-9a53-0d8d5d1c0002", "argomento": "somma-monomi",
   "esercizio": "3*x+2*x", "risposta": "5x", "giusta": true, "diagnosi": "", "errore": "", "ripassa": "",
   "soluzione": true, "secondi": 6.5, "quando": "${ieri}T09:01:00.000Z", "giorno": "$ieri", "computer": "aula-3"}
 ]}
JSON
out=$("$tool" --db "$db" importa "$tmp/anna.json") || male "importa: status $?"
[ "$out" = "Anna Rossi: 2 risposte nuove, 0 già presenti (alunno nuovo)." ] || male "importa: '$out'"
out=$("$tool" --db "$db" importa "$tmp/anna.json") || male "importa again: status $?"
[ "$out" = "Anna Rossi: 0 risposte nuove, 2 già presenti." ] || male "importa again: '$out'"
[ "$(stat -c %a "$db")" = 600 ] || male "record mode $(stat -c %a "$db")"

out=$("$tool" --db "$db" alunni)
[ "$out" = "Anna Rossi${tab}2B${tab}1${tab}1${tab}$ieri" ] || male "alunni: '$out'"

out=$("$tool" --db "$db" storico "Anna Rossi")
atteso="${ieri}T09:00:00Z${tab}prodotto-monomi${tab}(3*x^2)*(-2*x^3)${tab}-6x^6${tab}sbagliata${tab}Nel prodotto gli esponenti si sommano, non si moltiplicano.
${ieri}T09:01:00Z${tab}somma-monomi${tab}3*x+2*x${tab}5x${tab}giusta${tab}"
[ "$out" = "$atteso" ] || { male "storico"; printf '%s\n' "$out"; }
[ "$("$tool" --db "$db" storico "Anna Rossi" --argomento somma-monomi | wc -l)" = 1 ] || male "storico --argomento"
[ "$("$tool" --db "$db" storico "Anna Rossi" --dal "$oggi" | wc -l)" = 0 ] || male "storico --dal"

out=$("$tool" --db "$db" ripasso "Anna Rossi")
[ "$out" = "prodotto-monomi${tab}Nel prodotto gli esponenti si sommano, non si moltiplicano.${tab}1${tab}$oggi" ] ||
    male "ripasso: '$out'"

"$tool" --db "$db" storico Bruno 2>"$tmp/err"; s=$?
[ $s -eq 1 ] && grep -q 'Bruno' "$tmp/err" || male "unknown pupil: status $s"

# Carried to another computer: the same history there.
"$tool" --db "$db" esporta "Anna Rossi" "$tmp/esportato.json" >/dev/null || male "esporta: status $?"
[ "$(stat -c %a "$tmp/esportato.json")" = 600 ] || male "export mode $(stat -c %a "$tmp/esportato.json")"
"$tool" --db "$db" esporta "Anna Rossi" "$tmp/esportato.json" 2>/dev/null; s=$?
[ $s -eq 1 ] || male "esporta over an existing file: status $s"
"$tool" --db "$tmp/altro.sqlite" importa "$tmp/esportato.json" >/dev/null || male "importa elsewhere"
[ "$("$tool" --db "$tmp/altro.sqlite" storico "Anna Rossi")" = "$atteso" ] || male "storico elsewhere"
MEVARIO_DB="$tmp/altro.sqlite" "$tool" alunni | grep -q "^Anna Rossi" || male "MEVARIO_DB"

# The class overview: a file written whole, or nothing at all.
out=$("$tool" --db "$db" classe 2B --csv "$tmp/2b.csv") || male "classe --csv: status $?"
[ "$out" = "2B: 1 alunno in «$tmp/2b.csv»." ] || male "classe: '$out'"
head -1 "$tmp/2b.csv" | grep -q '^Alunno,Somma mon. giuste,Somma mon. sbagliate,Somma mon. quota giuste,Prodotto mon. giuste' ||
    male "classe --csv header: $(head -1 "$tmp/2b.csv")"
grep -q "^Anna Rossi,1,0,1.0000,0,1,0.0000,1,1,0.5000"$'\r'"$" "$tmp/2b.csv" || male "classe --csv row"
"$tool" --db "$db" classe 2B --ods "$tmp/2b.fods" --dal "$ieri" --al "$ieri" >/dev/null || male "classe --ods: status $?"
grep -q 'office:value-type="percentage"' "$tmp/2b.fods" || male "classe --ods: no percentage cell"
"$tool" --db "$db" classe 2B --csv "$tmp/vuoto.csv" --dal "$oggi" >/dev/null || male "classe --dal today"
grep -q '^Anna Rossi,,,,,,,1,0,1.0000' "$tmp/vuoto.csv" && male "classe --dal: yesterday's answers counted"
for args in "classe 2B" "classe 2B --csv $tmp/a.csv --ods $tmp/a.fods" "classe 5Z --csv $tmp/a.csv" \
            "classe 2B --csv $tmp/a.csv --dal $oggi --al $ieri" "classe 2B --csv $tmp/a.csv --al 2026-02-30" \
            "classe 2B --csv $tmp/a.csv --argomento somma-monomi" "classe --csv $tmp/a.csv" \
            "alunni --csv $tmp/a.csv" "storico Anna --al $oggi" "classe 2B --csv $tmp/a.csv --pdf x" \
            "classe 2B --csv $tmp/nessuna/a.csv"; do
    # shellcheck disable=SC2086
    out=$("$tool" --db "$db" $args 2>"$tmp/err"); s=$?
    [ $s -eq 1 ] || male "'$args': status $s, expected 1"
    [ -z "$out" ] || male "'$args': printed '$out'"
    grep -q '^mevario-registro: ' "$tmp/err" || male "'$args': no message"
done
grep -q 'nessun alunno nella classe «5Z»' <("$tool" --db "$db" classe 5Z --csv "$tmp/a.csv" 2>&1) || male "classe 5Z: message"
ls "$tmp"/a.* "$tmp"/nessuna 2>/dev/null && male "a failed classe wrote a file"
# A file already there is replaced whole.
cp "$tmp/2b.csv" "$tmp/prima.csv"
"$tool" --db "$db" classe 2B --csv "$tmp/2b.csv" --dal "$oggi" >/dev/null || male "classe over a file"
cmp -s "$tmp/2b.csv" "$tmp/prima.csv" && male "classe did not replace the file"

# A damaged or foreign file: status 2, nothing written.
somma=$(cat "$db" "$db-wal" 2>/dev/null | md5sum)
head -c 300 "$tmp/anna.json" >"$tmp/rotto.json"
echo '{"formato": "altro"}' >"$tmp/estraneo.json"
for f in rotto estraneo; do
    "$tool" --db "$db" importa "$tmp/$f.json" >/dev/null 2>"$tmp/err"; s=$?
    [ $s -eq 2 ] || male "importa $f: status $s"
    grep -q 'Nulla è stato scritto' "$tmp/err" || male "importa $f: message"
done
[ "$(cat "$db" "$db-wal" 2>/dev/null | md5sum)" = "$somma" ] || male "the record changed"
printf 'non sono un registro\n%.0s' $(seq 200) >"$tmp/testo.sqlite"
cp "$tmp/testo.sqlite" "$tmp/testo.copia"
for cmd in alunni "importa $tmp/anna.json"; do
    # shellcheck disable=SC2086
    "$tool" --db "$tmp/testo.sqlite" $cmd >/dev/null 2>"$tmp/err"; s=$?
    [ $s -eq 2 ] || male "foreign record, $cmd: status $s"
    grep -q 'non è un registro di Mevario' "$tmp/err" || male "foreign record message"
done
cmp -s "$tmp/testo.sqlite" "$tmp/testo.copia" || male "the foreign file changed"

exit $fallito
