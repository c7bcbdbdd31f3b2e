#!/usr/bin/env bash
# The class overview's spreadsheet as LibreOffice Calc reads it: a class
# seeded through importa, written with `classe --ods`, converted by the
# headless Calc to CSV: the header rows, a strange name whole, the figures
# as numbers and the shares as percentages. Skipped (77) where LibreOffice
# cannot read spreadsheets (libreoffice-calc-nogui or libreoffice-calc).
set -u
tool="$1"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }
command -v soffice >/dev/null || { echo "manca soffice (libreoffice-calc-nogui)"; exit 77; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp" XDG_DATA_HOME="$tmp/dati" XDG_CONFIG_HOME="$tmp/config" TZ=UTC
unset MEVARIO_DB
db="$tmp/registro.sqlite"
ieri=$(date -u -d yesterday +%F)
risposta() { # N ARGOMENTO GIUSTA ERRORE (N makes the answer's uuid)
    local n="$1"; shift
    printf '{"uuid": "0b0b6f1e-8a51-4c1a-9a53-%012d", "argomento": "%s", "esercizio": "3*x+2*x", "risposta": "5x",
      "giusta": %s, "diagnosi": "%s", "errore": "%s", "ripassa": "", "soluzione": false, "secondi": 5,
      "quando": "%sT09:%02d:00.000Z", "giorno": "%s", "computer": "aula"}' \
      "$n" "$1" "$2" "$3" "$3" "$ieri" "$((n % 60))" "$ieri"
}
alunno() { # FILE NOME RISPOSTE...
    local file="$1" nome="$2"; shift 2
    local IFS=,
    printf '{"formato": "mevario-registro", "versione": 1, "alunno": {"nome": "%s", "classe": "2B"}, "risposte": [%s]}' \
        "$nome" "$*" >"$file"
}
E="Nel prodotto gli esponenti si sommano, non si moltiplicano."
alunno "$tmp/a.json" 'Anna Rossi' "$(risposta 1 somma-monomi true '')" "$(risposta 2 somma-monomi false '')" \
    "$(risposta 3 prodotto-monomi false "$E")"
alunno "$tmp/b.json" '<Bo & \"Co\">' "$(risposta 4 prodotto-monomi true '')" "$(risposta 5 prodotto-monomi true '')" \
    "$(risposta 6 prodotto-monomi false "$E")"
for f in a b; do "$tool" --db "$db" importa "$tmp/$f.json" >/dev/null || male "importa $f: status $?"; done
"$tool" --db "$db" classe 2B --ods "$tmp/2b.fods" >/dev/null || male "classe --ods: status $?"

out="$tmp/out"
soffice -env:UserInstallation="file://$tmp/profilo" --headless --convert-to csv --outdir "$out" "$tmp/2b.fods" \
    >"$tmp/log" 2>&1
if [ ! -s "$out/2b.csv" ]; then
    if grep -q 'no export filter' "$tmp/log"; then
        echo "LibreOffice senza Calc (libreoffice-calc-nogui): il foglio non si rilegge"
        exit 77
    fi
    cat "$tmp/log"
    male "Calc did not read the spreadsheet"
    exit 1
fi
csv=$(tr -d '\r' <"$out/2b.csv")
riga() { printf '%s\n' "$csv" | sed -n "${1}p"; }
[ "$(riga 1 | cut -d, -f1)" = '"Registro di classe 2B' ] || male "title: $(riga 1)"
[ "$(riga 2)" = ',Somma mon.,,,Prodotto mon.,,,Totale,,' ] || male "topics: $(riga 2)"
[ "$(riga 3)" = 'Alunno,Giuste,Sbagliate,% giuste,Giuste,Sbagliate,% giuste,Giuste,Sbagliate,% giuste' ] ||
    male "columns: $(riga 3)"
# Calc shows the shares as percentages, the counts as numbers.
[ "$(riga 4)" = '"<Bo & ""Co"">",,,,2,1,66.6667%,2,1,66.6667%' ] || male "strange name: $(riga 4)"
[ "$(riga 5)" = 'Anna Rossi,1,1,50%,0,1,0%,1,2,33.3333%' ] || male "Anna: $(riga 5)"
[ "$(riga 6)" = 'Classe,1,1,50%,2,2,50%,3,3,50%' ] || male "class: $(riga 6)"
[ "$fallito" = 0 ] || printf '%s\n' "$csv"

# The PDF a teacher prints: every sheet, landscape.
soffice -env:UserInstallation="file://$tmp/profilo" --headless --convert-to pdf --outdir "$out" "$tmp/2b.fods" \
    >/dev/null 2>&1
if command -v pdftotext >/dev/null && [ -s "$out/2b.pdf" ]; then
    testo=$(pdftotext -layout "$out/2b.pdf" -)
    for atteso in "Registro di classe 2B" "<Bo & \"Co\">" "$E" "Voci in ritardo"; do
        printf '%s' "$testo" | grep -qF "$atteso" || male "PDF: no '$atteso'"
    done
    pdfinfo "$out/2b.pdf" | grep -q 'Page size: *841.89 x 595.30' || male "PDF: not landscape A4"
fi
exit $fallito
